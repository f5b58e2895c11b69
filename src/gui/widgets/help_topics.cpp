#include "gui/widgets/help_topics.h"

namespace {

QList<HelpTopic> makeTopics() {
    auto t = [](const char* file, int context, const char* name, const char* title) {
        return HelpTopic{QString::fromLatin1(file), context, QString::fromLatin1(name),
                         QString::fromUtf8(title)};
    };
    return {
        t("welcome.html", 0, "IDH_Welcome", "Welcome and contents"),
        t("getting_started.html", 0, "IDH_GetStarted", "Getting started"),
        t("whats_new.html", 0, "IDH_WhatsNew", "What's new"),
        t("main_window.html", 500, "", "The main window"),
        t("multicast_mode.html", 0, "IDH_Multimode", "Multicast diskettes"),
        t("standalone_mode.html", 0, "IDH_Standalone", "Standalone diskettes"),
        t("batch_mode.html", 0, "IDH_Batch", "Batch diskette update"),
        t("client_location.html", 503, "", "Select Pellacore Client"),
        t("standalone_parameters.html", 611, "", "Standalone Parameters"),
        t("netware.html", 612, "", "Novell NetWare Pull Mode Parameters"),
        t("microsoft_standalone.html", 550, "", "Microsoft Standalone Parameters"),
        t("select_nic.html", 610, "", "Select NIC"),
        t("nic_parameters.html", 504, "", "NIC Parameters"),
        t("multicast_client.html", 507, "", "Client Boot Diskette Operation"),
        t("post_configuration.html", 551, "", "Post Configuration Parameters"),
        t("summary.html", 508, "", "Client Diskette Parameters"),
        t("summary_back.html", 122, "", "Going back from the parameters"),
        t("save_configuration.html", 509, "", "Save Configuration"),
        t("load_configuration.html", 501, "", "Load Configuration"),
        t("diskette_location.html", 510, "", "Diskette Location"),
        t("create_diskette.html", 511, "", "Create Client Diskette"),
        t("system_files.html", 600, "", "DOS system files on the diskette"),
        t("batch_update.html", 602, "", "The Batch Diskette Update window"),
        t("hints.html", 620, "", "Hints"),
        t("drives.html", 0, "", "Drives, diskette images and devices"),
        t("program_files.html", 0, "", "Program directory and settings files"),
        t("command_line.html", 0, "", "The command line"),
        t("about.html", 601, "", "About Pellacore Bootwright"),
    };
}

} // namespace

namespace HelpTopics {

const QList<HelpTopic>& all() {
    static const QList<HelpTopic> topics = makeTopics();
    return topics;
}

const HelpTopic& contents() {
    return all().first();
}

const HelpTopic& byContext(int context) {
    if (context != 0) {
        for (const HelpTopic& topic : all())
            if (topic.context == context)
                return topic;
    }
    return contents();
}

const HelpTopic& byName(const QString& name) {
    for (const HelpTopic& topic : all())
        if (!topic.name.isEmpty() && topic.name.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return topic;
    return contents();
}

QString url(const HelpTopic& topic) {
    return QStringLiteral("qrc:/help/") + topic.file;
}

} // namespace HelpTopics
