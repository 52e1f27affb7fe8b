// vorpex: the editor's levels, tilesets and levelsets from the command line, without a display.
#include "Describe.h"
#include "QtImageModule.h"
#include "check/Checker.h"
#include "common/AppFolders.h"
#include "common/VorpexError.h"
#include "model/FileIO.h"
#include "model/Geometry.h"
#include "render/Bitmap.h"
#include "render/LevelPictures.h"
#include "render/LoadedLevel.h"
#include "render/Scaling.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <sys/stat.h>

namespace {

constexpr int Failed = 1;
constexpr int BadUsage = 2;
// Pictures of at most 16384 pixels a side (1 GiB): a larger scale asks for more memory than
// most machines give.
constexpr int MostScale = 16384 / std::max(CanvasWidth, CanvasHeight);

const char *const Overview = R"(Usage: vorpex [--data DIR] COMMAND ...

Commands:
  render LEVEL.vxl OUT   the picture the editor shows of a level, as PNG, BMP or JPEG
  render LEVEL... --out-dir DIR
                         one picture of each level, named after it
  check PATH...          faults in levels, tilesets and levelsets, files or whole folders
  info FILE              what a level, tileset or levelset holds

Options:
  --data DIR             the application folder whose Tls and Bgd hold the files that
                         levels name (default: the folder of this program)
  -h, --help             this text; "vorpex COMMAND --help" for a command
  -v, --version          the version
)";

// The first error met in writing to standard output; reported once everything is flushed.
int outputError = 0;

void write(std::FILE *stream, const QByteArray &bytes)
{
    const std::size_t size = std::size_t(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stream) != size && stream == stdout && !outputError)
        outputError = errno;
}

// File names go out as the bytes they came in as.
void print(std::FILE *stream, const QString &text)
{
    write(stream, EncodeFileName(text));
}

// A command's help, under the program's own name wherever it was started from.
QString helpOf(const QCommandLineParser &parser)
{
    QString help = parser.helpText();
    return help.replace(QCoreApplication::arguments().constFirst(), QStringLiteral("vorpex"));
}

int usage(const QString &problem, const QString &help)
{
    print(stderr, QStringLiteral("vorpex: ") + problem + QStringLiteral("\n\n") + help);
    return BadUsage;
}

// The editor's messages hold CR LF between their lines.
int failure(const QString &message)
{
    print(stderr, QString(message).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) + '\n');
    return Failed;
}

// The same file, links followed: writing to one replaces the other.
bool sameFile(const QString &a, const QString &b)
{
    struct stat first = {}, second = {};
    return ::stat(EncodeFileName(a).constData(), &first) == 0 &&
           ::stat(EncodeFileName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

// An option's whole number in 1..most; 0 when it is something else.
std::optional<int> number(const QCommandLineParser &parser, const QString &option, int most)
{
    if (!parser.isSet(option))
        return std::nullopt;
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    return ok && value >= 1 && value <= most ? value : 0;
}

int render(const QCommandLineParser &parser, const QString &appFolder)
{
    const QStringList levels = parser.positionalArguments().mid(1);
    const bool batch = parser.isSet("out-dir");
    if (batch ? levels.isEmpty() : levels.size() != 2)
        return usage(QStringLiteral("render takes a level and an output file, or levels and "
                                    "--out-dir"),
                     helpOf(parser));
    if (!batch && parser.isSet("format"))
        return usage(QStringLiteral("--format goes with --out-dir"), helpOf(parser));
    // What goes where: one picture, or one of each level named after it.
    std::vector<std::pair<QString, QString>> jobs;
    QByteArray format;
    if (batch) {
        format = parser.isSet("format") ? parser.value("format").toLower().toLatin1() : "png";
        if (format != "png" && format != "bmp")
            return usage(QStringLiteral("--format takes png or bmp"), helpOf(parser));
        const QString folder = parser.value("out-dir");
        if (!StatusOf(folder).folder)
            return usage(QStringLiteral("%1 is not a folder").arg(folder), helpOf(parser));
        QStringList outs;
        for (const QString &level : levels) {
            const QString out =
                folder + u'/' + QFileInfo(level).completeBaseName() + u'.' + QString(format);
            if (outs.contains(out))
                return usage(QStringLiteral("two levels would both be drawn into %1").arg(out),
                             helpOf(parser));
            outs << out;
            jobs.emplace_back(level, out);
        }
    } else {
        jobs.emplace_back(levels[0], levels[1]);
        const QString &out = levels[1];
        format = out == "-" ? QByteArray("png") : QFileInfo(out).suffix().toLower().toLatin1();
        if (format != "png" && format != "bmp" && !QtModuleFormats().contains(format))
            return usage(QStringLiteral("cannot write pictures of type '%1'").arg(QString(format)),
                         helpOf(parser));
    }
    for (const auto &[level, out] : jobs) {
        if (out != "-" && sameFile(level, out))
            return usage(QStringLiteral("%1 is the level itself").arg(out), helpOf(parser));
    }
    const std::optional<int> scale = number(parser, "scale", MostScale);
    const std::optional<int> size = number(parser, "size", 4096);
    if ((scale && !*scale) || (size && !*size))
        return usage(QStringLiteral("--scale takes 1 to %1, --size 1 to 4096").arg(MostScale),
                     helpOf(parser));
    if (scale && size)
        return usage(QStringLiteral("--scale and --size do not go together"), helpOf(parser));

    // Each tileset and background is read once, however many levels name it.
    LevelPictures pictures(appFolder);
    int status = 0;
    for (const auto &[level, out] : jobs) {
        QString noBackground;
        Picture picture;
        try {
            picture = pictures.image(level, !parser.isSet("no-paddles"), &noBackground);
        } catch (const VorpexError &error) {
            status = failure(error.message());
            continue;
        }
        if (!noBackground.isEmpty())
            failure(
                MessageWithPath(QStringLiteral("Cannot load background picture."), noBackground));
        if (scale)
            picture = Enlarged(picture, *scale);
        if (size)
            picture = FittedInto(picture, *size);
        try {
            const QByteArray bytes = format == "png"   ? EncodePng(picture)
                                     : format == "bmp" ? EncodeBitmap(picture)
                                                       : QtModuleEncode(picture, format);
            if (out == "-")
                write(stdout, bytes);
            else
                WriteFileAtomically(out, bytes);
        } catch (const VorpexError &error) {
            status = failure(QStringLiteral("vorpex: cannot write ") + error.message());
        }
    }
    return status;
}

int check(const QCommandLineParser &parser, const QString &appFolder)
{
    const QStringList paths = parser.positionalArguments().mid(1);
    if (paths.isEmpty())
        return usage(QStringLiteral("check takes files or folders"), helpOf(parser));
    Checker checker(appFolder);
    for (const QString &path : paths) {
        if (const QString problem = checker.gather(path); !problem.isEmpty())
            return usage(path + u' ' + problem, helpOf(parser));
    }
    checker.run();
    int errors = 0, warnings = 0;
    QJsonArray json;
    QString text;
    for (const Checker::Finding &f : checker.findings()) {
        (f.error ? errors : warnings)++;
        const char *severity = f.error ? "error" : "warning";
        json.append(QJsonObject{{"path", f.path},
                                {"severity", QLatin1String(severity)},
                                {"code", f.code},
                                {"message", f.message}});
        text += QStringLiteral("%1: %2: %3\n").arg(f.path, QLatin1String(severity), f.message);
    }
    if (parser.isSet("json")) {
        print(stdout, QString::fromUtf8(QJsonDocument(json).toJson()));
    } else {
        print(stdout, text + CheckSummary(checker.filesChecked(), errors, warnings) + u'\n');
    }
    return errors || (warnings && parser.isSet("strict")) ? Failed : 0;
}

int info(const QCommandLineParser &parser, const QString &appFolder)
{
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2)
        return usage(QStringLiteral("info takes one file"), helpOf(parser));
    try {
        print(stdout, Describe(args[1], appFolder));
    } catch (const VorpexError &error) {
        return failure(QStringLiteral("vorpex: ") + error.message());
    }
    return 0;
}

int dispatch(QStringList arguments)
{
    QCoreApplication::setApplicationName(QStringLiteral("vorpex"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VORPEX_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Levels, tilesets and levelsets of Vorpex."));
    const QCommandLineOption data("data", "The application folder with Tls and Bgd.", "DIR");
    const QCommandLineOption help({"h", "help"}, "This text.");
    const QCommandLineOption version({"v", "version"}, "The version.");
    parser.addOptions({data, help, version});
    // The command decides which further options there are.
    QCommandLineParser first;
    first.addOptions({data, help, version});
    first.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    first.parse(arguments);
    const QString command = first.positionalArguments().value(0);

    using Command = int (*)(const QCommandLineParser &, const QString &);
    Command run = nullptr;
    if (command == "render") {
        run = render;
        parser.addPositionalArgument("render", "The picture of a level.");
        parser.addPositionalArgument("LEVEL.vxl", "The level; with --out-dir, one or more.",
                                     "LEVEL.vxl...");
        parser.addPositionalArgument(
            "OUT", "The picture to write (.png, .bmp, .jpg), - for PNG on stdout.", "[OUT]");
        parser.addOptions(
            {{"out-dir", "One picture of each level into DIR, named after the level.", "DIR"},
             {"format", "With --out-dir: png (the default) or bmp.", "FORMAT"},
             {"scale",
              QStringLiteral("Enlarge by a whole factor (1 to %1), without smoothing.")
                  .arg(MostScale),
              "N"},
             {"size", "Fit the picture into N x N pixels.", "N"},
             {"no-paddles", "Leave the paddles out."}});
    } else if (command == "check") {
        run = check;
        parser.addPositionalArgument("check", "Faults in levels, tilesets and levelsets.");
        parser.addPositionalArgument("PATH", "Files, or folders searched through.", "PATH...");
        parser.addOptions({{"json", "One JSON array of findings instead of lines."},
                           {"strict", "Warnings fail too."}});
    } else if (command == "info") {
        run = info;
        parser.addPositionalArgument("info", "What a level, tileset or levelset holds.");
        parser.addPositionalArgument("FILE", "A .vxl, .vxt or .vxs file.");
    }
    if (!parser.parse(arguments))
        return usage(parser.errorText(), run ? helpOf(parser) : QLatin1String(Overview));
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("vorpex %1\n").arg(QCoreApplication::applicationVersion()));
        return 0;
    }
    if (parser.isSet(help)) {
        print(stdout, run ? helpOf(parser) : QLatin1String(Overview));
        return 0;
    }
    if (!run)
        return usage(command.isEmpty() ? QStringLiteral("no command")
                                       : QStringLiteral("no command '%1'").arg(command),
                     QLatin1String(Overview));
    const QString appFolder = parser.isSet(data) ? parser.value(data) : AppFolders::DataFolder();
    return run(parser, appFolder);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SetFallbackPictureDecoder(&QtModuleDecode);
    // Paths as the bytes given, which QCoreApplication::arguments() does not keep.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << DecodeFileName(argv[i]);
    int status = Failed;
    try {
        status = dispatch(arguments);
    } catch (const std::bad_alloc &) {
        std::fputs("vorpex: out of memory\n", stderr);
    }
    // A full disk may show only here, when what is buffered is written out.
    if (std::fflush(stdout) != 0 && !outputError)
        outputError = errno;
    if (outputError || std::ferror(stdout))
        return failure(QStringLiteral("vorpex: cannot write standard output: ") +
                       QString::fromLocal8Bit(std::strerror(outputError ? outputError : EIO)));
    return status;
}
