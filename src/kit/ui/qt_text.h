#pragma once
// Records hold Windows-1252 texts; widgets hold Unicode. These are the only
// conversions between them in the desktop program.
#include <QString>
#include <string>

#include "store/text_codec.h"

namespace formet {

inline QString ToQt(const std::string& win1252) { return QString::fromUtf8(Win1252ToUtf8(win1252)); }

// Characters with no Windows-1252 form are dropped (fields refuse them as
// they are typed; this only matters for pasted or programmatic text).
inline std::string FromQt(const QString& text) {
  std::string out;
  const QByteArray utf8 = text.toUtf8();
  if (auto converted = Utf8ToWin1252(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size()))))
    return *converted;
  for (const QChar c : text) {
    const QByteArray one = QString(c).toUtf8();
    if (auto b = Utf8ToWin1252(std::string_view(one.constData(), static_cast<size_t>(one.size())))) out += *b;
  }
  return out;
}

}  // namespace formet
