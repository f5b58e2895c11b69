#pragma once

#include <QString>

// What the Create Client Diskette page shows while a build runs. The desktop page paints it; the
// command line prints the steps; tests record them.
class BuildView {
public:
    virtual ~BuildView() = default;
    virtual void setStatus(const QString& text) = 0; // panel_Status, repainted at once
    virtual void setGauge(int percent) = 0;          // gauge_Progress, 0..100
    // The section ticks Image2 .. Image5 ("Verify Floppy Diskette" .. "Copying Network Drivers").
    virtual void setTickVisible(int image, bool visible) = 0;
    virtual void setNetworkLabelVisible(bool visible) = 0; // Label4 "Copying Network Drivers"
};
