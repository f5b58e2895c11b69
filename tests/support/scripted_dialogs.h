#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Answers message boxes and file dialogs from a script and records everything shown, so that tests
// can assert the exact texts, icons, buttons and help contexts in order.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString text;
        Icon icon;
        Buttons buttons;
        int helpContext;
    };
    // A file dialog as it was opened.
    struct FileRequest {
        enum class Kind { Open, Save, Diskette, Folder };
        bool save; // a save, diskette or folder dialog
        QString title;
        QString filter;
        QString initialDir;
        QString suggestedName;
        Kind kind = Kind::Open;
    };

    // Answers for the next message boxes, in order. Without a scripted answer a box is answered
    // with its first button (OK or Yes).
    void answer(Button button) { m_answers.append(button); }
    void answerFile(const QString& path) { m_files.append(path); }
    // Called at every box, before it is answered (lets a test press Cancel mid-run, say).
    void onMessage(std::function<void(const Shown&)> hook) { m_hook = std::move(hook); }

    Button message(const QString& text, Icon icon, Buttons buttons, int helpContext) override;
    QString openFileName(const QString& title, const QString& filter, const QString& initialDir,
                         const QString& suggestedName) override;
    QString saveFileName(const QString& title, const QString& filter, const QString& initialDir,
                         const QString& suggestedName) override;
    QString disketteFileName(const QString& title, const QString& initialDir,
                             const QString& suggestedName) override;
    QString directoryName(const QString& title, const QString& initialDir) override;

    const QList<Shown>& shown() const { return m_shown; }
    QStringList texts() const;
    const QList<FileRequest>& fileRequests() const { return m_fileRequests; }
    void clear() { m_shown.clear(); }

private:
    QList<Button> m_answers;
    QStringList m_files;
    QList<Shown> m_shown;
    QList<FileRequest> m_fileRequests;
    std::function<void(const Shown&)> m_hook;
};
