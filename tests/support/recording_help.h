#pragma once

#include "platform/help.h"

#include <QStringList>

// Records what help was asked for: "context:507", "topic:IDH_Welcome", "url:https://...".
class RecordingHelp : public Help {
public:
    void showContext(int helpContext) override { calls << QStringLiteral("context:%1").arg(helpContext); }
    void showTopic(const QString& name) override { calls << QStringLiteral("topic:") + name; }
    void openUrl(const QString& url) override { calls << QStringLiteral("url:") + url; }
    QStringList calls;
};
