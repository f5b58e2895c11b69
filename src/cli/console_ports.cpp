#include "cli/console_ports.h"

Dialogs::Button ConsoleDialogs::message(const QString& text, Icon, Buttons buttons, int) {
    print(text);
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Button::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return text.contains(QLatin1String("Create Another?")) ? Button::No : Button::Yes;
    }
    return Button::Ok;
}

void ConsoleDialogs::print(const QString& text) {
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fprintf(m_out, "%s\n", shown.toLocal8Bit().constData());
    std::fflush(m_out);
}

void ConsoleBuildView::setStatus(const QString& text) {
    const QString trimmed = text.trimmed();
    if (!m_verbose || trimmed.isEmpty() || trimmed == m_last)
        return;
    m_last = trimmed;
    std::fprintf(m_out, "%s\n", trimmed.toLocal8Bit().constData());
    std::fflush(m_out);
}
