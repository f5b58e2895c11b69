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
    return QIcon(imageIndex == LoadConfigurationPage::MulticastImage
                     ? QStringLiteral(":/configurations/multicast.svg")
                     : QStringLiteral(":/configurations/standalone.svg"));
}

} // namespace

LoadConfigurationPage::LoadConfigurationPage(PageHost& host, QWidget* parent)
    : WizardPage(host, PageId::LoadConfiguration, parent) {
    auto* text = new QLabel(tr("Double-click the configuration to load or single-click and select the "
                               "\"remove\" button to delete an item."),
                            this);
    text->setObjectName(QStringLiteral("Label1"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    body()->addWidget(text);

    // A one-column report: a tree without branches, read-only, one item at a time.
    m_configurations = new QTreeWidget(this);
    m_configurations->setObjectName(QStringLiteral("ListView1"));
    m_configurations->setColumnCount(1);
    m_configurations->setHeaderLabels({tr("Saved Items")});
    m_configurations->header()->setStretchLastSection(false);
    m_configurations->header()->setSectionsClickable(false);
    m_configurations->setColumnWidth(0, kColumnWidth);
    m_configurations->setRootIsDecorated(false);
    m_configurations->setItemsExpandable(false);
    m_configurations->setUniformRowHeights(true);
    m_configurations->setSelectionMode(QAbstractItemView::SingleSelection);
    m_configurations->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_configurations->setIconSize(QSize(16, 16));
    m_configurations->setMinimumWidth(kColumnWidth + 2 * m_configurations->frameWidth() + 20);
    m_configurations->viewport()->installEventFilter(this);
    m_configurations->installEventFilter(this);
    body()->addWidget(m_configurations, 1);

    m_remove = new QPushButton(tr("&Remove"), this);
    m_remove->setObjectName(QStringLiteral("Button1"));
    m_remove->setEnabled(false);
    buttonRow()->insertWidget(0, m_remove);
    backButton()->hide();

    connect(m_configurations, &QTreeWidget::itemSelectionChanged, this, &LoadConfigurationPage::enableRemove);
    connect(m_remove, &QPushButton::clicked, this, &LoadConfigurationPage::removeSelected);
}

void LoadConfigurationPage::showPage() {
    fillList();
    m_configurations->setFocus();
}

void LoadConfigurationPage::fillList() {
    m_configurations->clear();
    QVector<ConfigStore::Item> items;
    try {
        items = ConfigStore(host().programDir()).list();
    } catch (const std::exception& e) {
        host().dialogs().message(QString::fromStdString(e.what()), Dialogs::Icon::Error, Dialogs::Buttons::Ok,
                                 0);
    }
    for (const ConfigStore::Item& entry : std::as_const(items)) {
        auto* item = new QTreeWidgetItem(m_configurations, {entry.description});
        const int image = entry.multicast ? MulticastImage : StandaloneImage;
        item->setIcon(0, listIcon(image));
        item->setData(0, ImageIndexRole, image);
        item->setToolTip(0, entry.description);
    }
    m_remove->setEnabled(false);
}

QTreeWidgetItem* LoadConfigurationPage::selectedItem() const {
    for (int i = 0; i < m_configurations->topLevelItemCount(); ++i) {
        if (m_configurations->topLevelItem(i)->isSelected())
            return m_configurations->topLevelItem(i);
    }
    return nullptr;
}

void LoadConfigurationPage::enableRemove() {
    m_remove->setEnabled(selectedItem() != nullptr);
}

bool LoadConfigurationPage::eventFilter(QObject* watched, QEvent* event) {
    // Any double-click in the list counts, on an item or not: on empty space with nothing selected
    // the user hears that nothing was found.
    if (watched == m_configurations->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        openSelected();
        return true;
    }
    // Enter on an item is a double-click done from the keyboard.
    if (watched == m_configurations && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && selectedItem()) {
            openSelected();
            return true;
        }
    }
    return WizardPage::eventFilter(watched, event);
}

void LoadConfigurationPage::openSelected() {
    loadSelected();
}

void LoadConfigurationPage::next() {
    if (selectedItem())
        loadSelected();
    else
        host().go(this, PageId::ClientLocation);
}

void LoadConfigurationPage::back() {
    host().showMain(this);
}

void LoadConfigurationPage::cancel() {
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

void LoadConfigurationPage::removeSelected() {
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
