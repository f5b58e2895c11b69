#pragma once

#include "gui/pages/wizard_page.h"
#include "settings/build_settings.h"

struct SummaryRow;
struct SummaryTarget;

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

// Parameter summary page: lists what the coming build will use and leads back to the page that
// owns a value on a double-click.
class SummaryPage : public WizardPage {
    Q_OBJECT
public:
    explicit SummaryPage(PageHost& host, QWidget* parent = nullptr);

    static constexpr int BackHelpContext = 122;

    // Rebuilds both grids from the settings, as every showing does from the pages.
    void fill(const BuildSettings& settings);

public Q_SLOTS:
    void editDisketteRow(int row);
    void editPostRow(int row);
    void saveConfiguration();

protected:
    void showPage() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTableWidget* makeGrid(const QString& name);
    void setRow(QTableWidget* grid, int row, const SummaryRow& line);
    QString labelAt(QTableWidget* grid, int row) const;
    // Hides this page and shows the target, with the named tab of its tab control in front first.
    void jump(const SummaryTarget& target);

    QTabWidget* m_tabs;
    QTableWidget* m_disketteGrid;
    QTableWidget* m_postGrid;
    QLabel* m_sameAsImage;
    QPushButton* m_save;
};
