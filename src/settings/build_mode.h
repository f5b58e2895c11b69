#pragma once

#include <optional>

// The kind of diskette the wizard builds. The numbers are what saved configurations, --set and the
// values list have always stored as BuildMode; they are read and written only at those edges.
enum class BuildMode {
    Multicast = 1,
    NetWare = 2, // also any standalone diskette until its NOS is chosen
    Microsoft = 3,
    NoNetwork = 4,
};

namespace BuildModes {

inline int number(BuildMode mode) {
    return static_cast<int>(mode);
}

// The mode a stored number names; none outside 1 to 4.
inline std::optional<BuildMode> fromNumber(int number) {
    if (number < 1 || number > 4)
        return std::nullopt;
    return static_cast<BuildMode>(number);
}

} // namespace BuildModes
