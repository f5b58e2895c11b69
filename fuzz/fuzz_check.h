#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>

// A broken promise ends the run with a message; libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(condition, message)                                                                       \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "broken: %s\n  %s\n", #condition, qPrintable(QString(message)));            \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

// Bytes shown so that a message can be read.
inline QString shown(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toPercentEncoding(" =[];.,:_-/\\"));
}
