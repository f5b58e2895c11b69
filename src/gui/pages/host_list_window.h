#pragma once

#include "rules/host_list.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

// Host list window: shows a loaded host list as a table, each row's problems marked beside it, and
// how many diskettes it makes. The list can be used only when it has no problem; names that are
// good client names but no computer names are marked too, for the Microsoft standalone page
// refuses them. Created for one modal showing from the main window.
class HostListWindow : public QDialog {
    Q_OBJECT
public:
    explicit HostListWindow(const HostList& list, QWidget* parent = nullptr);

    // The columns of the table, in order.
    enum Column { LineColumn, NameColumn, AddressColumn, MaskColumn, MacColumn, ProblemsColumn };

    int problemCount() const { return m_problemCount; }

private:
    QTableWidget* m_table;
    QLabel* m_summary;
    QLabel* m_fileProblems;
    QPushButton* m_use;
    int m_problemCount = 0;
};
