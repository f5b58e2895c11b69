#pragma once

#include <QString>
#include <functional>

// Message boxes and file dialogs, as the core and the pages ask for them. The desktop program shows
// real Qt dialogs; the command line prints; tests answer from a script and record what was shown.
class Dialogs {
public:
    enum class Icon { Information, Error, Warning, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Button { Ok, Cancel, Yes, No };

    virtual ~Dialogs() = default;

    // Shows a modal box and returns the button pressed. helpContext 0 means no help topic.
    virtual Button message(const QString& text, Icon icon = Icon::Information, Buttons buttons = Buttons::Ok,
                           int helpContext = 0) = 0;

    // File dialogs return the chosen path, or an empty text when the user cancelled.
    virtual QString openFileName(const QString& title, const QString& filter, const QString& initialDir,
                                 const QString& suggestedName) = 0;
    virtual QString saveFileName(const QString& title, const QString& filter, const QString& initialDir,
                                 const QString& suggestedName) = 0;
    // A diskette image to write into, new or existing: the program writes into an existing one
    // rather than replacing it, so nobody is asked whether to replace it.
    virtual QString disketteFileName(const QString& title, const QString& initialDir,
                                     const QString& suggestedName) = 0;
    // A folder, existing or made in the dialog.
    virtual QString directoryName(const QString& title, const QString& initialDir) = 0;

    // One more button on the next message box only, which runs `action` and leaves the box open
    // (the build's "Try in Virtual Machine" beside "Create Another?"). Front ends that show no
    // buttons leave it out.
    // By value: the front end that shows the button keeps the action.
    // NOLINTNEXTLINE(performance-unnecessary-value-param)
    virtual void offerAction(const QString& /*label*/, std::function<void()> /*action*/) {}
};
