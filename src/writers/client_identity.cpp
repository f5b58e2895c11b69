#include "writers/client_identity.h"

#include "settings/build_settings.h"
#include "writers/microsoft_writer.h"
#include "writers/multicast_writer.h"

ClientIdentity clientIdentity(const BuildSettings& settings) {
    switch (settings.buildMode()) {
    case BuildMode::Multicast:
        return MulticastIdentity(settings);
    case BuildMode::Microsoft:
        return MicrosoftIdentity(settings);
    default:
        return {QStringLiteral("-"), QStringLiteral("-")};
    }
}
