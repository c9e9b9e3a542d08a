#include "foundation/Codepages.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

QString decode(const char *name, QByteArrayView bytes)
{
    QStringDecoder decoder(name, QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray encode(const char *name, QStringView text)
{
    QStringEncoder encoder(name, QStringEncoder::Flag::Stateless);
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}

} // namespace

QString FromWin1255(QByteArrayView bytes) { return decode("windows-1255", bytes); }
QByteArray ToWin1255(QStringView text) { return encode("windows-1255", text); }
QString FromCp862(QByteArrayView bytes) { return decode("IBM862", bytes); }
QByteArray ToCp862(QStringView text) { return encode("IBM862", text); }
