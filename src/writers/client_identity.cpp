#include "writers/client_identity.h"

#include "settings/build_settings.h"
#include "writers/microsoft_writer.h"
#include "writers/multicast_writer.h"

ClientIdentity clientIdentity(const BuildSettings& settings) {
    switch (settings.buildMode()) {
    case 1:
        return MulticastIdentity(settings);
    case 3:
        return MicrosoftIdentity(settings);
    default:
        return {QStringLiteral("-"), QStringLiteral("-")};
    }
}
