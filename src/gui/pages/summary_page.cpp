#include "gui/pages/summary_page.h"

#include "gui/pages/page_host.h"
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

namespace {

const QString kSameAsImage = QStringLiteral("Same as Image");

using Row = QPair<QString, QString>;

QString trimmedText(const BuildSettings& s, QLatin1String name) {
    return s.text(name).trimmed();
}
QString chosenItem(const BuildSettings& s, QLatin1String name) {
    return s.itemText(name).trimmed();
}
bool checked(const BuildSettings& s, QLatin1String name) {
    return s.isChecked(name);
}

QList<Row> operationRows(const BuildSettings& s) {
    QList<Row> rows;
    const BuildMode mode = s.buildMode();
    switch (mode) {
    case BuildMode::Multicast:
        rows << Row{"MODE", "Multicast"} << Row{"CLIENT NAME", trimmedText(s, PageValue::MulticastName)}
             << Row{"IP ADDRESS", trimmedText(s, PageValue::MulticastIp)}
             << Row{"SUB NET MASK", trimmedText(s, PageValue::MulticastMask)};
        break;
    case BuildMode::NetWare:
        rows << Row{"MODE", "Standalone"} << Row{"NOS", chosenItem(s, PageValue::StandaloneNos)}
             << Row{"FRAME TYPE", chosenItem(s, PageValue::NetwareFrame)};
        if (checked(s, PageValue::NetwareMapOn))
            rows << Row{"MAP DRIVE", chosenItem(s, PageValue::NetwareMapDrive) +
                                         trimmedText(s, PageValue::NetwareMapPath)};
        if (checked(s, PageValue::NetwareLoginOn))
            rows << Row{"LOGIN DRIVE", chosenItem(s, PageValue::NetwareLoginDrive)}
                 << Row{"LOGIN NAME", trimmedText(s, PageValue::NetwareLoginName)};
        break;
    case BuildMode::Microsoft:
        rows << Row{"MODE", "Standalone"} << Row{"NOS", chosenItem(s, PageValue::StandaloneNos)}
             << Row{"LOGIN NAME", trimmedText(s, PageValue::MicrosoftLoginName)}
             << Row{"IP ADDRESS", trimmedText(s, PageValue::MicrosoftIp)}
             << Row{"SUB NET MASK", trimmedText(s, PageValue::MicrosoftMask)}
             << Row{"SERVER DRIVE", chosenItem(s, PageValue::MicrosoftServerDrive) +
                                        trimmedText(s, PageValue::MicrosoftServerShare)}
             << Row{checked(s, PageValue::MicrosoftGroupWorkgroup) ? "WORKGROUP" : "DOMAIN",
                    trimmedText(s, PageValue::MicrosoftGroup)}
             << Row{"COMPUTER NAME", trimmedText(s, PageValue::MicrosoftName)};
        break;
    case BuildMode::NoNetwork:
        rows << Row{"NIC", trimmedText(s, PageValue::NicSelection)};
        break;
    default:
        break;
    }

    // The file the build copies, whichever way it was chosen: the catalogue's name alone does not say.
    if (mode != BuildMode::NoNetwork)
        rows << Row{"NIC DRIVER", trimmedText(s, PageValue::NicDriver)};
    if (checked(s, PageValue::NicPnpOff) && mode != BuildMode::NoNetwork)
        rows << Row{"HARDWARE", "Non-PnP"} << Row{"IRQ", chosenItem(s, PageValue::NicIrq)}
             << Row{"IO PORT", trimmedText(s, PageValue::NicPort)};
    else
        rows << Row{"HARDWARE", mode == BuildMode::NoNetwork ? "None" : "Plug and Play"};
    return rows;
}

QList<Row> postConfigurationRows(const BuildSettings& s) {
    QString group = QStringLiteral("WORKGROUP/DOMAIN");
    if (checked(s, PageValue::PostGroupWorkgroup))
        group = QStringLiteral("WORKGROUP");
    else if (checked(s, PageValue::PostGroupDomain))
        group = QStringLiteral("DOMAIN");
    return {
        Row{"COMPUTER NAME", trimmedText(s, PageValue::PostName)},
        Row{group, trimmedText(s, PageValue::PostGroup)},
        Row{"LOGIN NAME", trimmedText(s, PageValue::PostLoginName)},
        Row{"IP ADDRESS",
            checked(s, PageValue::PostIpSet) ? trimmedText(s, PageValue::PostIp) : kSameAsImage},
        Row{"SUB NET MASK",
            checked(s, PageValue::PostMaskSet) ? trimmedText(s, PageValue::PostMask) : kSameAsImage},
    };
}

// The tab of the Microsoft standalone page that holds the value of a summary row.
QString microsoftTab(const QString& label) {
    if (label == QLatin1String("IP ADDRESS") || label == QLatin1String("SUB NET MASK"))
        return QStringLiteral("IP Address / Sub Net Mask");
    if (label == QLatin1String("SERVER DRIVE"))
        return QStringLiteral("Server Drive");
    if (label == QLatin1String("COMPUTER NAME"))
        return QStringLiteral("Computer Name");
    if (label == QLatin1String("WORKGROUP") || label == QLatin1String("DOMAIN"))
        return QStringLiteral("Workgroup / Domain");
    if (label == QLatin1String("LOGIN NAME"))
        return QStringLiteral("Login Name");
    return {};
}

QString postConfigurationTab(const QString& label) {
    if (label == QLatin1String("COMPUTER NAME"))
        return QStringLiteral("Computer Name");
    if (label == QLatin1String("WORKGROUP") || label == QLatin1String("DOMAIN") ||
        label == QLatin1String("WORKGROUP/DOMAIN"))
        return QStringLiteral("Workgroup / Domain");
    if (label == QLatin1String("LOGIN NAME"))
        return QStringLiteral("Login Name");
    if (label == QLatin1String("IP ADDRESS"))
        return QStringLiteral("IP Address");
    if (label == QLatin1String("SUB NET MASK"))
        return QStringLiteral("Sub Net Mask");
    return {};
}

} // namespace

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
    m_sameAsImage = new QLabel(kSameAsImage, postTab);
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

void SummaryPage::setRow(QTableWidget* grid, int row, const QString& label, const QString& value) {
    auto* labelItem = new QTableWidgetItem(label);
    // The label column stands for the fixed column of the grid: it reads like a row heading.
    labelItem->setBackground(palette().button());
    grid->setItem(row, 0, labelItem);
    grid->setItem(row, 1, new QTableWidgetItem(value));
}

void SummaryPage::showPage() {
    fill(host().collect());
    nextButton()->setFocus();
}

void SummaryPage::fill(const BuildSettings& settings) {
    m_disketteGrid->verticalHeader()->setDefaultSectionSize(15);
    // As many rows as there are values, shown from the first: no blank rows to scroll into.
    const QList<Row> rows = operationRows(settings);
    m_disketteGrid->setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row)
        setRow(m_disketteGrid, row, rows[row].first, rows[row].second);
    m_disketteGrid->scrollToTop();
    // The label column as wide as its longest label, at least as the program always had it.
    m_disketteGrid->resizeColumnToContents(0);
    m_disketteGrid->setColumnWidth(0, qMax(110, m_disketteGrid->columnWidth(0)));

    const bool post = settings.isChecked(PageValue::PostOn);
    m_postGrid->setVisible(post);
    if (post) {
        m_postGrid->verticalHeader()->setDefaultSectionSize(15);
        const QList<Row> postRows = postConfigurationRows(settings);
        m_postGrid->setRowCount(int(postRows.size()));
        for (int row = 0; row < postRows.size(); ++row)
            setRow(m_postGrid, row, postRows[row].first, postRows[row].second);
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
    const QString label = labelAt(m_disketteGrid, row);
    const BuildMode mode = host().buildMode();
    if (label == QLatin1String("MODE"))
        jump(PageId::Main);
    else if (label == QLatin1String("HARDWARE") || label == QLatin1String("IRQ") ||
             label == QLatin1String("IO PORT"))
        jump(PageId::NicParameters);
    else if (label == QLatin1String("NOS"))
        jump(PageId::StandaloneParameters);
    else if (label == QLatin1String("NIC") || label == QLatin1String("NIC DRIVER"))
        jump(PageId::NicSelection);
    else if (mode == BuildMode::Multicast &&
             (label == QLatin1String("CLIENT NAME") || label == QLatin1String("IP ADDRESS") ||
              label == QLatin1String("SUB NET MASK")))
        jump(PageId::MulticastClient);
    else if (mode == BuildMode::NetWare &&
             (label == QLatin1String("FRAME TYPE") || label == QLatin1String("MAP DRIVE") ||
              label == QLatin1String("LOGIN DRIVE") || label == QLatin1String("LOGIN NAME")))
        jump(PageId::NetWare);
    else if (mode == BuildMode::Microsoft && !microsoftTab(label).isEmpty())
        jump(PageId::MicrosoftStandalone, microsoftTab(label));
}

void SummaryPage::editPostRow(int row) {
    jump(PageId::PostConfiguration, postConfigurationTab(labelAt(m_postGrid, row)));
}

void SummaryPage::saveConfiguration() {
    host().go(this, PageId::SaveConfiguration);
}

void SummaryPage::jump(PageId target, const QString& tab) {
    // Back from the page, the summary shows no row still picked out from before.
    m_disketteGrid->clearSelection();
    m_postGrid->clearSelection();
    // The tab that holds the value comes to the front, found by its caption.
    QWidget* page = host().form(target);
    auto* tabs = page && !tab.isEmpty() ? page->findChild<QTabWidget*>() : nullptr;
    for (int i = 0; tabs && i < tabs->count(); ++i) {
        if (tabs->tabText(i).remove(QLatin1Char('&')) == tab)
            tabs->setCurrentIndex(i);
    }
    host().go(this, target);
}

void SummaryPage::keyPressEvent(QKeyEvent* event) {
    // The Back button has a help topic of its own.
    if (event->key() == Qt::Key_F1 && focusWidget() == backButton()) {
        host().help().showContext(BackHelpContext);
        return;
    }
    WizardPage::keyPressEvent(event);
}
