// print: the print-out of a group, a system or every system as a PDF file, drawn by Qt on its
// offscreen platform so no display is needed.
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <cstdio>
#include <cstdlib>

#include "app/print/page_printer.h"
#include "cli/commands.h"
#include "cli/group_choice.h"
#include "cli/workspace.h"

namespace tarvex::cli {

namespace {

constexpr const char* k_help =
    "usage: tarvex-cli print FILE.hpd (--system N [--group G] | --all) -o OUT.pdf\n"
    "Prints group G (its 1-based position under the system in the browser) of system N\n"
    "(1-based in store order), every group of system N, or every group of every system with\n"
    "--all, to a PDF file, as the Print commands print them. Needs no display.\n";

int usage_error(const std::string& what) {
    std::fprintf(stderr, "tarvex-cli: %s\n%s", what.c_str(), k_help);
    return 2;
}

}  // namespace

int cmd_print(const Args& args) {
    if (wants_help(args)) {
        std::fputs(k_help, stdout);
        return 0;
    }
    std::string file, out;
    std::optional<int> system, group;
    bool all = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool has_value = i + 1 < args.size();
        if (a == "--system" || a == "--group") {
            auto n = has_value ? positive(args[++i]) : std::nullopt;
            if (!n) return usage_error(a + " takes a number from 1");
            (a == "--system" ? system : group) = n;
        } else if (a == "--all") {
            all = true;
        } else if (a == "-o") {
            if (!has_value) return usage_error("-o needs a file name");
            out = args[++i];
        } else if (starts_with(a, "-") && a.size() > 1) {
            return usage_error("unknown option '" + a + "'");
        } else if (file.empty()) {
            file = a;
        } else {
            return usage_error("one HPD file only");
        }
    }
    if (file.empty() || out.empty()) return usage_error("FILE.hpd and -o are needed");
    if (all == system.has_value()) return usage_error("give either --system N or --all");
    if (all && group) return usage_error("--group goes with --system");

    Workspace ws;
    ReadOptions options;
    options.files = {file};
    if (!read_all(ws, options)) return 1;
    int sys = 0, grp = -1;
    if (system) {
        auto s = system_at(*ws.store, *system);
        if (!s) return 1;
        sys = *s;
        if (group) {
            auto g = group_at(*ws.store, sys, *group, *system);
            if (!g) return 1;
            grp = *g;
        }
    }

    // Drawing text needs a GUI application; the offscreen platform needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Scripts read stderr for our messages; Qt's notes about the platform are not theirs.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    });
    static int argc = 1;
    static char name[] = "tarvex-cli";
    static char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    QSaveFile pdf(QString::fromLocal8Bit(out.c_str()));
    if (!pdf.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "tarvex-cli: cannot write '%s': %s\n", out.c_str(),
                     pdf.errorString().toLocal8Bit().constData());
        return 1;
    }
    PrintRun run;
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(QStringLiteral("Tarvex"));
        writer.setCreator(QStringLiteral("Tarvex"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        run = print_groups(writer, *ws.store, *ws.files, sys, grp, file);
    }
    if (!run.ok()) {
        pdf.cancelWriting();
        std::fprintf(stderr, "%s\n", run.error.c_str());
        return 1;
    }
    if (!pdf.commit()) {
        std::fprintf(stderr, "tarvex-cli: cannot write '%s': %s\n", out.c_str(),
                     pdf.errorString().toLocal8Bit().constData());
        return 1;
    }
    std::fprintf(stderr, "%s\n", std::string(print::k_finished).c_str());
    return 0;
}

}  // namespace tarvex::cli
