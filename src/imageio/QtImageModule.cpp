// Qt's image reader and writers for the vorpex command, which loads this only when a picture
// needs them: the command itself starts without Qt Gui.
#include "QtImages.h"

#include "common/VorpexError.h"

extern "C" {

Q_DECL_EXPORT bool vorpexQtDecode(const QByteArray *bytes, Picture *picture, QString *error)
{
    try {
        *picture = DecodeWithQt(*bytes);
        return true;
    } catch (const VorpexError &e) {
        *error = e.message();
        return false;
    }
}

Q_DECL_EXPORT bool
vorpexQtEncode(const Picture *picture, const QByteArray *format, QByteArray *bytes, QString *error)
{
    try {
        *bytes = EncodeWithQt(*picture, *format);
        return true;
    } catch (const VorpexError &e) {
        *error = e.message();
        return false;
    }
}

Q_DECL_EXPORT void vorpexQtFormats(QList<QByteArray> *formats)
{
    *formats = QtWriteFormats();
}
}
