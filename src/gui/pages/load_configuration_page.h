#pragma once

#include "gui/pages/wizard_page.h"

class QTreeWidget;
class QTreeWidgetItem;

// Load Configuration page: lists the saved configurations, loads one into the pages or removes it.
class LoadConfigurationPage : public WizardPage {
    Q_OBJECT
public:
    explicit LoadConfigurationPage(PageHost& host, QWidget* parent = nullptr);

    // The list's small icons, by image index: a Multicast and a Standalone configuration.
    enum ImageIndex { MulticastImage = 0, StandaloneImage = 1 };
    // Each item keeps its image index under this role, beside the icon it shows.
    static constexpr int ImageIndexRole = Qt::UserRole;

    QTreeWidget* listView() const { return m_configurations; }
    QPushButton* removeButton() const { return m_remove; }

public Q_SLOTS:
    void enableRemove();
    void openSelected();
    void next() override;
    void back() override;
    void cancel() override;
    void removeSelected();

protected:
    void showPage() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillList();
    // The first item of the list, in list order, that is selected.
    QTreeWidgetItem* selectedItem() const;
    // Loads the selected configuration and returns to the main window.
    void loadSelected();

    QTreeWidget* m_configurations;
    QPushButton* m_remove;
};
