// Command-line wrapper of the test HTTP server, for trying the editor by hand
// or from scripts:
//
//     tavro_httpserver --root <folder holding tvsuite/> [--fail <path>]...
//
// Prints "TAVRO_SERVER_BASE=<base location>" on one line once it listens and
// serves until it is terminated. --fail answers 404 for the given path
// (relative to the root, for example tvsuite/rz7/firmware.ini).
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "httpfixture.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Local HTTP server for download tests"));
    parser.addHelpOption();
    const QCommandLineOption rootOption(QStringLiteral("root"),
                                        QStringLiteral("Folder to serve (holds tvsuite/)."),
                                        QStringLiteral("folder"));
    const QCommandLineOption failOption(QStringLiteral("fail"),
                                        QStringLiteral("Answer 404 for this path."),
                                        QStringLiteral("path"));
    parser.addOption(rootOption);
    parser.addOption(failOption);
    parser.process(app);

    if (!parser.isSet(rootOption) || !QDir(parser.value(rootOption)).exists()) {
        std::fprintf(stderr, "--root must name an existing folder\n");
        return 2;
    }
    HttpFixture server(parser.value(rootOption));
    for (const QString &path : parser.values(failOption))
        server.setBehaviour(path, HttpFixture::NotFound);
    if (!server.start()) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1\n");
        return 1;
    }
    std::printf("TAVRO_SERVER_BASE=%s\n", qPrintable(server.baseUrl()));
    std::fflush(stdout);
    return app.exec();
}
