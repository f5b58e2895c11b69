#include "gui/pages/load_configuration_page.h"

#include "gui/pages/page_host.h"
#include "settings/config_store.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

// Q_INIT_RESOURCE declares the registration function where it stands: outside any namespace.
static void registerConfigurationIcons() {
    Q_INIT_RESOURCE(configuration_icons);
}

namespace {

constexpr int kColumnWidth = 353;

QIcon listIcon(int imageIndex) {
    static const bool registered = (registerConfigurationIcons(), true);
    Q_UNUSED(registered);
    return QIcon(imageIndex == LoadConfigurationPage::MulticastImage ? QStringLiteral(":/configurations/multicast.svg")
                                                       : QStringLiteral(":/configurations/standalone.svg"));
}

} // namespace

LoadConfigurationPage::LoadConfigurationPage(PageHost& host, QWidget* parent) : WizardPage(host, PageId::LoadConfiguration, parent) {
    auto* text = new QLabel(tr("Double-click the configuration to load or single-click and select the "
                               "\"remove\" button to delete an item."),
                            this);
    text->setObjectName(QStringLiteral("Label1"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    body()->addWidget(text);

    // A one-column report: a tree without branches, read-only, one item at a time.
    m_listView1 = new QTreeWidget(this);
    m_listView1->setObjectName(QStringLiteral("ListView1"));
    m_listView1->setColumnCount(1);
    m_listView1->setHeaderLabels({tr("Saved Items")});
    m_listView1->header()->setStretchLastSection(false);
    m_listView1->header()->setSectionsClickable(false);
    m_listView1->setColumnWidth(0, kColumnWidth);
    m_listView1->setRootIsDecorated(false);
    m_listView1->setItemsExpandable(false);
    m_listView1->setUniformRowHeights(true);
    m_listView1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listView1->setIconSize(QSize(16, 16));
    m_listView1->setMinimumWidth(kColumnWidth + 2 * m_listView1->frameWidth() + 20);
    m_listView1->viewport()->installEventFilter(this);
    m_listView1->installEventFilter(this);
    body()->addWidget(m_listView1, 1);

    m_button1 = new QPushButton(tr("&Remove"), this);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setEnabled(false);
    buttonRow()->insertWidget(0, m_button1);
    backButton()->hide();

    connect(m_listView1, &QTreeWidget::itemSelectionChanged, this, &LoadConfigurationPage::ListView1Click);
    connect(m_button1, &QPushButton::clicked, this, &LoadConfigurationPage::RemoveClick);
}

void LoadConfigurationPage::FormShow() {
    fillList();
    m_listView1->setFocus();
}

void LoadConfigurationPage::fillList() {
    m_listView1->clear();
    QVector<ConfigStore::Item> items;
    try {
        items = ConfigStore(host().programDir()).list();
    } catch (const std::exception& e) {
        host().dialogs().message(QString::fromStdString(e.what()), Dialogs::Icon::Error, Dialogs::Buttons::Ok,
                                 0);
    }
    for (const ConfigStore::Item& entry : std::as_const(items)) {
        auto* item = new QTreeWidgetItem(m_listView1, {entry.description});
        const int image = entry.multicast ? MulticastImage : StandaloneImage;
        item->setIcon(0, listIcon(image));
        item->setData(0, ImageIndexRole, image);
        item->setToolTip(0, entry.description);
    }
    m_button1->setEnabled(false);
}

QTreeWidgetItem* LoadConfigurationPage::selectedItem() const {
    for (int i = 0; i < m_listView1->topLevelItemCount(); ++i) {
        if (m_listView1->topLevelItem(i)->isSelected())
            return m_listView1->topLevelItem(i);
    }
    return nullptr;
}

void LoadConfigurationPage::ListView1Click() {
    m_button1->setEnabled(selectedItem() != nullptr);
}

bool LoadConfigurationPage::eventFilter(QObject* watched, QEvent* event) {
    // Any double-click in the list counts, on an item or not: on empty space with nothing selected
    // the user hears that nothing was found.
    if (watched == m_listView1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        ListView1DblClick();
        return true;
    }
    // Enter on an item is a double-click done from the keyboard.
    if (watched == m_listView1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && selectedItem()) {
            ListView1DblClick();
            return true;
        }
    }
    return WizardPage::eventFilter(watched, event);
}

void LoadConfigurationPage::ListView1DblClick() {
    loadSelected();
}

void LoadConfigurationPage::NextClick() {
    if (selectedItem())
        loadSelected();
    else
        host().go(this, PageId::ClientLocation);
}

void LoadConfigurationPage::BackClick() {
    host().showMain(this);
}

void LoadConfigurationPage::CancelClick() {
    host().showMain(this);
}

void LoadConfigurationPage::loadSelected() {
    Dialogs& dialogs = host().dialogs();
    QTreeWidgetItem* item = selectedItem();
    if (!item) {
        dialogs.message(ConfigMessages::NotFound, Dialogs::Icon::Warning, Dialogs::Buttons::Ok, 0);
        host().showMain(this);
        return;
    }
    QStringList problems;
    BuildSettings loaded;
    try {
        // The current values go in so that what a configuration does not hold stays as it is.
        loaded = ConfigStore(host().programDir()).load(item->text(0), host().collect(), &problems);
    } catch (const std::exception& e) {
        dialogs.message(QString::fromStdString(e.what()), Dialogs::Icon::Error, Dialogs::Buttons::Ok, 0);
        return;
    }
    host().apply(loaded);
    if (!problems.isEmpty())
        dialogs.message(problems.join(QLatin1Char('\n')), Dialogs::Icon::Warning, Dialogs::Buttons::Ok, 0);
    dialogs.message(ConfigStore::loadedMessage(loaded), Dialogs::Icon::Information, Dialogs::Buttons::Ok, 0);
    host().showMain(this);
}

void LoadConfigurationPage::RemoveClick() {
    QTreeWidgetItem* item = selectedItem();
    if (!item) {
        host().dialogs().message(ConfigMessages::NotFound, Dialogs::Icon::Warning, Dialogs::Buttons::Ok, 0);
        return;
    }
    try {
        ConfigStore(host().programDir()).remove(item->text(0));
    } catch (const std::exception& e) {
        // A caption the file format cannot name (a hand-edited file) lands here; the list stays.
        host().dialogs().message(QString::fromStdString(e.what()), Dialogs::Icon::Error, Dialogs::Buttons::Ok,
                                 0);
    }
    fillList();
}
