#pragma once

#include <QString>
#include <stdexcept>

// An input/output failure that the program does not handle on the spot: it ends the operation in
// progress and reaches the caller's error box. The text says what failed and where (the path).
class IoError : public std::runtime_error {
public:
    explicit IoError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};
