#include "file_types.h"

const FileTypes& createFileTypes() {
    static const FileTypes types{
        {QStringLiteral("alles"), QString(), QStringLiteral("????"), QStringLiteral("????")}};
    return types;
}
