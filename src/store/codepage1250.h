#pragma once
#include <QByteArray>
#include <QString>

// Windows code page 1250 (Central European), the character set of every text
// field in the record files. Characters without a code-page form become '?'.
namespace cp1250 {
QString decode(const char* bytes, int length);
QByteArray encode(const QString& text);
char encodeChar(QChar c);
}  // namespace cp1250
