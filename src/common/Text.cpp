#include "Text.h"

#include <QStringDecoder>

QString FileNameOf(const QString &path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (path[i] == u'\\' || path[i] == u'/')
            return path.mid(i + 1);
    }
    return QString();
}

QString TrimTrailingSpaces(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return text.left(end);
}

QByteArray EncodeName(const QString &name)
{
    for (QChar c : name) {
        if (c.unicode() > 0xFF)
            return name.toUtf8();
    }
    // Latin-1 bytes that happen to form UTF-8 would be read back as another name.
    const QByteArray latin1 = name.toLatin1();
    return DecodeName(latin1) == name ? latin1 : name.toUtf8();
}

QString DecodeName(const QByteArray &bytes)
{
    // A leading byte order mark is part of the name, not a marker to drop.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QString ShownName(const QString &name)
{
    qsizetype end = name.size();
    while (end > 0 && name[end - 1].isNull())
        --end;
    QString shown;
    for (const QChar c : QStringView(name).left(end)) {
        if (c.category() == QChar::Other_Control)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'));
        else
            shown += c;
    }
    return shown;
}

bool IsBareFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(u'\\') && !name.contains(u'/') && !name.contains(QChar(0));
}
