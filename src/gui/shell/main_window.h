#pragma once

#include "settings/build_mode.h"

#include <QMainWindow>

class QLabel;
class Wizard;

// Main window of the desktop program (object name "TForm1"): the three commands, the menus, and the line at
// the bottom that shows the long hint of whatever the mouse is over.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Wizard& wizard, QWidget* parent = nullptr);

    // Label1, the bottom line.
    QLabel* hintLabel() const { return m_hintLine; }

    // The maker's web pages of "&Larkmoor on the Web...".
    static const char* const kHomepageUrl;
    static const char* const kPellacoreUrl;
    static const char* const kFaqUrl;
    static const char* const kStoreUrl;

Q_SIGNALS:
    // The window was closed (Exit or its frame): the program ends.
    void closed();

public Q_SLOTS:
    void loadPreviousConfiguration();
    // Asks for a host list, shows it, and once it is accepted the address pages and the batch take
    // each next host from it.
    void loadHostList();
    // Back to the increments.
    void closeHostList();
    // Asks for a diskette image and boots it in a virtual machine beside the wizard.
    void tryDiskette();
    void exitProgram();
    void buildMulticastDiskettes();
    void buildStandaloneDiskettes();
    void updateDisketteBatch();
    void chooseHints();
    void showAbout();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    QWidget* createClientArea();
    void startDiskettes(BuildMode buildMode);
    void DisplayHint(const QString& longHint);

    Wizard& m_wizard;
    QLabel* m_hintLine = nullptr;
    QString m_hostListFolder; // where the last host list was loaded from; a lab keeps its lists together
};
