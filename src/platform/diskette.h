#pragma once

#include <QtGlobal>

// The one diskette this program builds: 1.44 MB, 80 tracks on 2 sides of 18 sectors of 512 bytes.
namespace Diskette {

constexpr int kSectorBytes = 512;
constexpr int kSectors = 2880;
constexpr qint64 kBytes = qint64(kSectors) * kSectorBytes; // 1,474,560

} // namespace Diskette
