#include "app/print/page_printer.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <algorithm>

namespace tarvex {

namespace {

QString to_q(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

constexpr qreal k_largest_points = 9;
constexpr qreal k_smallest_points = 5;

}  // namespace

QFont fixed_pitch_font(qreal point_size) {
    QFont lucida(QStringLiteral("Lucida Console"));
    lucida.setPointSizeF(point_size);
    if (QFontInfo(lucida).family() == QLatin1String("Lucida Console")) return lucida;
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(fixed).fixedPitch()) {
        fixed = QFont(QStringLiteral("monospace"));
        fixed.setStyleHint(QFont::TypeWriter);
    }
    fixed.setPointSizeF(point_size);
    return fixed;
}

PagePrinter::PagePrinter(QPagedPaintDevice& device, std::string program)
    : device_(device), program_(std::move(program)) {}

PagePrinter::~PagePrinter() {
    if (painter_.isActive()) painter_.end();
}

bool PagePrinter::begin() {
    begun_ = painter_.begin(&device_);
    return begun_;
}

bool PagePrinter::print(const print::Section& section) {
    if (!begun_) return false;
    if (pages_ > 0 && !device_.newPage()) return false;
    const qreal width = device_.width();
    const qreal height = device_.height();
    // The largest size at which the widest line fits across the page.
    const int widest = std::max(print::widest_line(section, program_), 1);
    QFont font = fixed_pitch_font(k_largest_points);
    for (qreal pt = k_largest_points; pt >= k_smallest_points; pt -= 0.5) {
        font.setPointSizeF(pt);
        if (QFontMetricsF(font, &device_).horizontalAdvance(QLatin1Char('M')) * widest <= width)
            break;
    }
    painter_.setFont(font);
    const QFontMetricsF metrics(font, &device_);
    const qreal line_height = metrics.lineSpacing();
    const int lines_per_page = std::max(1, static_cast<int>(height / line_height));
    auto pages = print::paginate(section, lines_per_page, program_);
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !device_.newPage()) return false;
        qreal y = metrics.ascent();
        for (const auto& line : pages[p].lines) {
            painter_.drawText(QPointF(0, y), to_q(line));
            y += line_height;
        }
        ++pages_;
    }
    return painter_.isActive();
}

bool PagePrinter::end() {
    if (!begun_) return false;
    begun_ = false;
    return painter_.end();
}

}  // namespace tarvex

namespace tarvex {

namespace {

PrintRun failed(PrintRun run, std::string_view item) {
    run.error = print::error_text(item, print::k_printer_error);
    return run;
}

}  // namespace

PrintRun print_groups(QPagedPaintDevice& device, const SystemStore& store, const GroupFiles& files,
                      int system, int group, const std::string& file_name,
                      const std::function<void(std::string_view)>& progress) {
    PrintRun run;
    PagePrinter printer(device, k_print_program);
    if (!printer.begin()) return failed(run, file_name);
    std::string failed_item;
    auto visit = [&](const print::Section& s) {
        if (!printer.print(s)) {
            failed_item = s.group_name;
            return false;
        }
        ++run.groups;
        return true;
    };
    if (group >= 0) {
        print::Section s = print::group_section(store, files, system, group, file_name);
        if (progress) progress(std::string(print::k_wait) + s.group_name);
        visit(s);
    } else {
        print::for_each_section(store, files, system, file_name, visit, progress);
    }
    run.pages = printer.pages();
    if (!printer.end() && failed_item.empty()) failed_item = file_name;
    if (!failed_item.empty()) return failed(run, failed_item);
    return run;
}

PrintRun print_sections(QPagedPaintDevice& device, const std::vector<print::Section>& sections) {
    PrintRun run;
    PagePrinter printer(device, k_print_program);
    if (!printer.begin())
        return failed(run, sections.empty() ? std::string() : sections.front().group_name);
    for (const auto& s : sections) {
        if (!printer.print(s)) return failed(run, s.group_name);
        ++run.groups;
    }
    run.pages = printer.pages();
    if (!printer.end()) return failed(run, sections.empty() ? "" : sections.back().group_name);
    return run;
}

}  // namespace tarvex
