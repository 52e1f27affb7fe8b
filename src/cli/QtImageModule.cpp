#include "QtImageModule.h"

#include "common/VorpexError.h"

#include <QCoreApplication>
#include <QLibrary>

namespace {

QLibrary &module()
{
    static QLibrary library(QCoreApplication::applicationDirPath() +
                            QStringLiteral("/vorpex-qtimage"));
    if (!library.load()) // at once when loaded already
        throw VorpexError(library.errorString());
    return library;
}

template <typename Function> Function resolve(const char *name)
{
    if (auto function = reinterpret_cast<Function>(module().resolve(name)))
        return function;
    throw VorpexError(module().errorString());
}

} // namespace

Picture QtModuleDecode(const QByteArray &bytes)
{
    Picture picture;
    QString error;
    if (!resolve<bool (*)(const QByteArray *, Picture *, QString *)>("vorpexQtDecode")(
            &bytes, &picture, &error))
        throw VorpexError(error);
    return picture;
}

QByteArray QtModuleEncode(const Picture &picture, const QByteArray &format)
{
    QByteArray bytes;
    QString error;
    if (!resolve<bool (*)(const Picture *, const QByteArray *, QByteArray *, QString *)>(
            "vorpexQtEncode")(&picture, &format, &bytes, &error))
        throw VorpexError(error);
    return bytes;
}

QList<QByteArray> QtModuleFormats()
{
    QList<QByteArray> formats;
    try {
        resolve<void (*)(QList<QByteArray> *)>("vorpexQtFormats")(&formats);
    } catch (const VorpexError &) {
    }
    return formats;
}
