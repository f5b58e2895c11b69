#include "gui/pages/summary_page.h"

#include "gui/pages/page_host.h"
#include "rules/summary_rows.h"
#include "settings/page_values.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

SummaryPage::SummaryPage(PageHost& host, QWidget* parent) : WizardPage(host, PageId::Summary, parent) {
    auto* intro = new QLabel(
        QStringLiteral("The client diskette is ready to be created with the following parameters.  If any "
                       "changes need to be made select the \"Back\" button or Double-Click on the item.  "
                       "Otherwise, select \"Next\" to create the client diskette."),
        this);
    intro->setObjectName(QStringLiteral("Label1"));
    intro->setWordWrap(true);
    body()->addWidget(intro);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    m_disketteGrid = makeGrid(QStringLiteral("StringGrid1"));
    m_tabs->addTab(m_disketteGrid, QStringLiteral("Client Diskette Operation"));

    // The label lies behind the grid, so the tab reads "Same as Image" whenever the grid is hidden.
    auto* postTab = new QWidget(this);
    auto* stack = new QGridLayout(postTab);
    stack->setContentsMargins(0, 0, 0, 0);
    m_sameAsImage = new QLabel(SummaryRows::SameAsImage, postTab);
    m_sameAsImage->setObjectName(QStringLiteral("Label3"));
    m_sameAsImage->setAlignment(Qt::AlignCenter);
    m_postGrid = makeGrid(QStringLiteral("StringGrid2"));
    stack->addWidget(m_sameAsImage, 0, 0);
    stack->addWidget(m_postGrid, 0, 0);
    m_postGrid->raise();
    m_tabs->addTab(postTab, QStringLiteral("Post-Configuration Options"));
    body()->addWidget(m_tabs, 1);

    auto* saveRow = new QHBoxLayout;
    auto* saveText = new QLabel(QStringLiteral("You can save this configuration for later use."), this);
    saveText->setObjectName(QStringLiteral("Label2"));
    m_save = new QPushButton(QStringLiteral("&Save Configuration"), this);
    m_save->setObjectName(QStringLiteral("Button4"));
    saveRow->addWidget(saveText);
    saveRow->addWidget(m_save);
    saveRow->addStretch(1);
    body()->addLayout(saveRow);

    backButton()->setObjectName(QStringLiteral("Button1"));
    nextButton()->setObjectName(QStringLiteral("Button2"));
    cancelButton()->setObjectName(QStringLiteral("Button3"));

    connect(m_disketteGrid, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { editDisketteRow(row); });
    connect(m_postGrid, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { editPostRow(row); });
    connect(m_save, &QPushButton::clicked, this, &SummaryPage::saveConfiguration);
    resize(560, 420);
}

QTableWidget* SummaryPage::makeGrid(const QString& name) {
    auto* grid = new QTableWidget(0, 2, this);
    grid->setObjectName(name);
    grid->horizontalHeader()->hide();
    // The values take the rest of the width: nothing to scroll to sideways.
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(15);
    grid->setShowGrid(true);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    return grid;
}

void SummaryPage::setRow(QTableWidget* grid, int row, const SummaryRow& line) {
    auto* labelItem = new QTableWidgetItem(line.label);
    // The label column stands for the fixed column of the grid: it reads like a row heading.
    labelItem->setBackground(palette().button());
    grid->setItem(row, 0, labelItem);
    grid->setItem(row, 1, new QTableWidgetItem(line.value));
}

void SummaryPage::showPage() {
    fill(host().collect());
    nextButton()->setFocus();
}

void SummaryPage::fill(const BuildSettings& settings) {
    m_disketteGrid->verticalHeader()->setDefaultSectionSize(15);
    // As many rows as there are values, shown from the first: no blank rows to scroll into.
    const QList<SummaryRow> rows = SummaryRows::operation(settings);
    m_disketteGrid->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row)
        setRow(m_disketteGrid, row, rows[row]);
    m_disketteGrid->scrollToTop();
    // The label column as wide as its longest label, at least as the program always had it.
    m_disketteGrid->resizeColumnToContents(0);
    m_disketteGrid->setColumnWidth(0, qMax(110, m_disketteGrid->columnWidth(0)));

    const bool post = settings.isChecked(PageValue::PostOn);
    m_postGrid->setVisible(post);
    if (post) {
        m_postGrid->verticalHeader()->setDefaultSectionSize(15);
        const QList<SummaryRow> postRows = SummaryRows::postConfiguration(settings);
        m_postGrid->setRowCount(int(postRows.size()));
        for (int row = 0; row < postRows.size(); ++row)
            setRow(m_postGrid, row, postRows[row]);
        m_postGrid->scrollToTop();
        m_postGrid->resizeColumnToContents(0);
        m_postGrid->setColumnWidth(0, qMax(150, m_postGrid->columnWidth(0)));
    }
}

QString SummaryPage::labelAt(QTableWidget* grid, int row) const {
    const QTableWidgetItem* item = grid->item(row, 0);
    return item ? item->text().trimmed().toUpper() : QString();
}

void SummaryPage::editDisketteRow(int row) {
    if (const auto target = SummaryRows::operationTarget(labelAt(m_disketteGrid, row), host().buildMode()))
        jump(*target);
}

void SummaryPage::editPostRow(int row) {
    jump(SummaryRows::postConfigurationTarget(labelAt(m_postGrid, row)));
}

void SummaryPage::saveConfiguration() {
    host().go(this, PageId::SaveConfiguration);
}

void SummaryPage::jump(const SummaryTarget& target) {
    // Back from the page, the summary shows no row still picked out from before.
    m_disketteGrid->clearSelection();
    m_postGrid->clearSelection();
    // The tab that holds the value comes to the front, found by its caption.
    QWidget* page = host().form(target.page);
    auto* tabs = page && !target.tab.isEmpty() ? page->findChild<QTabWidget*>() : nullptr;
    for (int i = 0; tabs && i < tabs->count(); ++i) {
        if (tabs->tabText(i).remove(QLatin1Char('&')) == target.tab)
            tabs->setCurrentIndex(i);
    }
    host().go(this, target.page);
}

void SummaryPage::keyPressEvent(QKeyEvent* event) {
    // The Back button has a help topic of its own.
    if (event->key() == Qt::Key_F1 && focusWidget() == backButton()) {
        host().help().showContext(BackHelpContext);
        return;
    }
    WizardPage::keyPressEvent(event);
}
