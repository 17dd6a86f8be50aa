// morvex-cad: the stand-in CAD. Opens a DXF drawing in its window and serves
// the drawing's automation model over a local socket named by the ProgID,
// where the tool attaches as it attaches to a CAD.
//
//   morvex-cad [--progid ID] [--codepage NAME] drawing.dxf
//
// --codepage names the code page of a drawing before R2007 ("ANSI_932"),
// whatever the drawing declares or its texts suggest. What reading decided
// or repaired (an unknown code page name, renumbered handles) is told on
// stderr, a line each.

#include "caddocument.h"
#include "cadwindow.h"
#include "drawingview.h"

#include "server/cadserver.h"

#include "dxf/dxfcodec.h"
#include "dxf/dxferror.h"

#include "cad/caderror.h"
#include "cad/remote/variantcodec.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace {

constexpr char DefaultProgId[] = "BricscadApp.AcadApplication";

void report(const QString &message)
{
    std::fprintf(stderr, "morvex-cad: %s\n", qPrintable(message));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("morvex-cad"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The stand-in CAD: opens a DXF drawing and serves it to Morvex."));
    parser.addHelpOption();
    const QCommandLineOption progIdOption(QStringLiteral("progid"),
                                          QStringLiteral("The ProgID the tool attaches by (default %1).")
                                              .arg(QLatin1String(DefaultProgId)),
                                          QStringLiteral("ID"), QLatin1String(DefaultProgId));
    parser.addOption(progIdOption);
    const QCommandLineOption codePageOption(
            QStringLiteral("codepage"),
            QStringLiteral("The code page of a drawing before R2007 (ANSI_932, ANSI_1252, DOS850 ...), "
                           "whatever the drawing says."),
            QStringLiteral("NAME"));
    parser.addOption(codePageOption);
    parser.addPositionalArgument(QStringLiteral("drawing"), QStringLiteral("The DXF drawing to open."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        report(QStringLiteral("give exactly one drawing: morvex-cad [--progid ID] [--codepage NAME] drawing.dxf"));
        return 2;
    }
    const QString path = parser.positionalArguments().front();
    const QByteArray codePage = parser.value(codePageOption).toLatin1();
    if (parser.isSet(codePageOption) && DxfCodec::converterName(codePage).isEmpty()) {
        report(QStringLiteral("unknown code page \"%1\" (known: ANSI_874, ANSI_932 ... ANSI_1258, DOS437 ... DOS932)")
                 .arg(parser.value(codePageOption)));
        return 2;
    }

    std::unique_ptr<standin::CadDocument> document;
    try {
        document = standin::CadDocument::open(path, codePage);
    } catch (const DxfError &e) {
        report(QStringLiteral("cannot open %1: %2").arg(path, e.message()));
        return 1;
    }
    for (const QString &note : document->readNotes())
        report(note);

    standin::CadWindow window(*document);
    standin::CadServer server(document->drawing());
    server.setPickHandler(window.view());
    server.setWindowControl(&window);
    server.setSaveHandler([&window] {
        try {
            window.save();
        } catch (const DxfError &e) {
            throw cad::CadError(u"The drawing could not be saved: " + cad::remote::fromQString(e.message()));
        }
    });
    if (!server.listen(cad::remote::fromQString(parser.value(progIdOption)))) {
        report(QStringLiteral("cannot serve %1: %2").arg(parser.value(progIdOption), server.errorString()));
        return 1;
    }
    window.show();
    return app.exec();
}
