#include "gui/pages/host_list_window.h"

#include "gui/widgets/window_fit.h"

#include <QBrush>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMultiMap>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QColor kProblem(255, 205, 205);
const QColor kNote(255, 240, 190);
constexpr int kProblemsColumn = 5;

QLabel* plainLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

HostListWindow::HostListWindow(const HostList& list, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HostListWindow"));
    setWindowTitle(tr("Host List"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    const QList<HostProblem> problems = list.problems(HostList::Names::ClientName);
    QList<HostProblem> notes;
    for (const HostProblem& p : list.problems(HostList::Names::ComputerName)) {
        if (!problems.contains(p))
            notes << p;
    }
    m_problemCount = int(problems.size());

    QSet<int> rowLines;
    for (const Host& host : list.hosts())
        rowLines.insert(host.line);
    QMultiMap<int, QString> rowProblems;
    QStringList fileProblems;
    for (const HostProblem& p : problems) {
        if (rowLines.contains(p.line))
            rowProblems.insert(p.line, p.text);
        else
            fileProblems << tr("Line %1: %2").arg(p.line).arg(p.text);
    }
    QMultiMap<int, QString> rowNotes;
    for (const HostProblem& p : std::as_const(notes))
        rowNotes.insert(p.line, tr("not on Microsoft diskettes: %1").arg(p.text));

    auto* file = plainLabel(QStringLiteral("FileLabel"), this);
    file->setText(list.file());
    m_fileProblems = plainLabel(QStringLiteral("FileProblems"), this);
    m_fileProblems->setText(fileProblems.join(QLatin1Char('\n')));
    m_fileProblems->setVisible(!fileProblems.isEmpty());

    m_table = new QTableWidget(int(list.size()), 6, this);
    m_table->setObjectName(QStringLiteral("HostTable"));
    m_table->setHorizontalHeaderLabels(
        {tr("Line"), tr("Name"), tr("Address"), tr("Mask"), tr("MAC"), tr("Problems")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    for (int row = 0; row < list.size(); ++row) {
        const Host& host = list.hosts().at(row);
        // QMultiMap gives a key's values newest first.
        QStringList marks = rowProblems.values(host.line);
        std::reverse(marks.begin(), marks.end());
        QStringList hostNotes = rowNotes.values(host.line);
        std::reverse(hostNotes.begin(), hostNotes.end());
        const QStringList cells{QString::number(host.line),
                                host.name,
                                host.address,
                                host.mask,
                                host.mac,
                                (marks + hostNotes).join(QStringLiteral("; "))};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (!marks.isEmpty())
                item->setBackground(kProblem);
            else if (!hostNotes.isEmpty())
                item->setBackground(kNote);
            m_table->setItem(row, column, item);
        }
    }
    // The values take what they need; the problems take the rest of the width and wrap in it, so
    // that each is read whole without scrolling sideways.
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(kProblemsColumn, QHeaderView::Stretch);
    m_table->setWordWrap(true);
    m_table->setTextElideMode(Qt::ElideNone);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    m_summary = plainLabel(QStringLiteral("Summary"), this);
    if (m_problemCount > 0)
        m_summary->setText(m_problemCount == 1
                               ? tr("1 problem: correct the list and load it again.")
                               : tr("%1 problems: correct the list and load it again.").arg(m_problemCount));
    else
        m_summary->setText(list.size() == 1 ? tr("1 diskette, for its one host.")
                                            : tr("%1 diskettes, one per host.").arg(list.size()));

    m_use = new QPushButton(tr("&Use This List"), this);
    m_use->setObjectName(QStringLiteral("UseButton"));
    m_use->setDefault(true);
    m_use->setEnabled(m_problemCount == 0);
    auto* cancel = new QPushButton(tr("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setAutoDefault(false);
    connect(m_use, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_summary, 1);
    buttons->addWidget(m_use);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file);
    layout->addWidget(m_fileProblems);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    // Within the screen also at a large scale; the problems wrap in their column rather than run
    // out of view.
    resize(QSize(680, 440).boundedTo(roomOnScreen(this)));
    m_table->setFocus();
}
