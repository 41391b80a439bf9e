#include "app/text_codec.h"

#include "app/windows1250.h"

namespace dorvanta {

// One pair of names for the window's code, over the converter the page view
// uses as well, so both edges agree byte for byte (including the fallback
// table on a Qt without a Windows-1250 codec).
QString FromCore(std::string_view bytes)
{
    return Windows1250ToQString(bytes);
}

std::string ToCore(const QString& text)
{
    return QStringToWindows1250(text);
}

} // namespace dorvanta
