#include "scripted_dialogs.h"

Dialogs::Button ScriptedDialogs::message(const QString& text, Icon icon, Buttons buttons, int helpContext) {
    const Shown shown{text, icon, buttons, helpContext};
    m_shown.append(shown);
    if (m_hook)
        m_hook(shown);
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) ? Button::Yes : Button::Ok;
}

QString ScriptedDialogs::openFileName(const QString& title, const QString& filter, const QString& initialDir,
                                      const QString& suggestedName) {
    m_fileRequests.append({false, title, filter, initialDir, suggestedName, FileRequest::Kind::Open});
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

QString ScriptedDialogs::saveFileName(const QString& title, const QString& filter, const QString& initialDir,
                                      const QString& suggestedName) {
    m_fileRequests.append({true, title, filter, initialDir, suggestedName, FileRequest::Kind::Save});
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

QString ScriptedDialogs::disketteFileName(const QString& title, const QString& initialDir,
                                          const QString& suggestedName) {
    m_fileRequests.append({true, title, QString(), initialDir, suggestedName, FileRequest::Kind::Diskette});
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

QString ScriptedDialogs::directoryName(const QString& title, const QString& initialDir) {
    m_fileRequests.append({true, title, QString(), initialDir, QString(), FileRequest::Kind::Folder});
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

QStringList ScriptedDialogs::texts() const {
    QStringList out;
    for (const Shown& s : m_shown)
        out << s.text;
    return out;
}
