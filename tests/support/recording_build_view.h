#pragma once

#include "writers/build_view.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// Records what a build showed: every status text and gauge value in order, and the ticks.
class RecordingBuildView : public BuildView {
public:
    void setStatus(const QString& text) override {
        statuses << text;
        events << "status:" + text;
    }
    void setGauge(int percent) override {
        gauges << percent;
        events << "gauge:" + QString::number(percent);
    }
    void setTickVisible(int image, bool visible) override {
        if (visible)
            ticks.insert(image);
        else
            ticks.remove(image);
        events << QStringLiteral("tick:%1:%2").arg(image).arg(visible ? 1 : 0);
    }
    void setNetworkLabelVisible(bool visible) override { networkLabelVisible = visible; }

    QStringList statuses;
    QList<int> gauges;
    QSet<int> ticks{2};
    bool networkLabelVisible = true;
    QStringList events; // everything in order, for tests of interleaving
};
