#include "app/qt/print_pages.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>

#include "app/model/ladder_scene.h"
#include "app/model/list_scene.h"
#include "app/qt/scene_painter.h"
#include "editor/search/cross_reference.h"
#include "editor/search/find.h"

using namespace rs::shell;

namespace {

constexpr int kPngDotsPerInch = 150;
constexpr int kTextPixels = 13;  // the view's text size on a 1200-pixel page

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

CPrintPages::CPrintPages(const rs::Session& session, QString project, QString date,
                         const rs::DeviceComments* comments)
    : m_session(session),
      m_pComments(comments),
      m_project(std::move(project)),
      m_date(std::move(date)) {
    if (comments && !comments->empty())
        m_devices = commentRows(*comments, rs::search::crossReference(session));
}

int CPrintPages::rowHeight() const {
    return m_session.view.m_bListMode ? kListLineHeight : kPrintLadderRowHeight;
}

// Ladder rows up to and including END, or the list's lines.
int CPrintPages::rowCount() const {
    if (m_session.view.m_bListMode) return rs::search::listLines(m_session);
    return endRow(*m_session.view.grid) + 1;
}

std::vector<PrintPage> CPrintPages::pages(double pageWidth, double pageHeight) const {
    const int height = logicalPageHeight(pageWidth, pageHeight);
    return paginateWithDeviceList(rowCount(), rowsPerPage(height, rowHeight()),
                                  static_cast<int>(m_devices.size()), height, kListLineHeight);
}

void CPrintPages::paint(QPainter& painter, const QRect& target, const PrintPage& page, int index,
                        int count) const {
    const int height = logicalPageHeight(target.width(), target.height());
    painter.save();
    painter.translate(target.topLeft());
    const double scale = static_cast<double>(target.width()) / kPrintLogicalWidth;
    painter.scale(scale, scale);
    QFont font = painter.font();
    font.setPixelSize(kTextPixels);
    painter.setFont(font);
    painter.setPen(Qt::black);

    // Header: project name, page number and date over a rule.
    const PageHeader header =
        pageHeader(m_project.toStdString(), index + 1, count, m_date.toStdString());
    const QRect band(20, 0, kPrintLogicalWidth - 40, kPrintHeaderHeight - 15);
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, qs(header.project));
    painter.drawText(band, Qt::AlignHCenter | Qt::AlignVCenter, qs(header.page));
    painter.drawText(band, Qt::AlignRight | Qt::AlignVCenter, qs(header.date));
    painter.drawLine(20, kPrintHeaderHeight - 10, kPrintLogicalWidth - 20, kPrintHeaderHeight - 10);

    if (page.deviceList) {
        painter.translate(0, kPrintHeaderHeight);
        paintDeviceList(painter, page);
        painter.restore();
        return;
    }
    // Body: the rows of the page, clipped to it.
    const int rowH = rowHeight();
    const int top = page.first * rowH;
    const int bottom = (page.last + 1) * rowH;
    painter.setClipRect(QRect(0, kPrintHeaderHeight, kPrintLogicalWidth, height));
    painter.translate(0, kPrintHeaderHeight - top);
    painter.setClipRect(QRect(0, top, kPrintLogicalWidth, bottom - top), Qt::IntersectClip);
    Scene scene;
    if (m_session.view.m_bListMode) {
        scene = listScene(
            ListSceneInput{m_session, kPrintLogicalWidth, top, bottom - 1, {}, m_pComments});
    } else {
        const LadderGeometry g(kPrintLogicalWidth, kPrintLadderRowHeight * 8);
        scene = ladderScene(LadderSceneInput{
            *m_session.view.grid, g, m_session.app.m_bMode2, top, bottom - 1, {}, {}, m_pComments});
    }
    scene.boxes.clear();  // no cursor, no report marks on paper
    scene.highlights.clear();
    paintScene(painter, scene, QPen(Qt::black, 1));
    painter.restore();
}

// A heading line, then one line a device: its name, its comment and where it is used.
void CPrintPages::paintDeviceList(QPainter& painter, const PrintPage& page) const {
    const int left = 40, comment = 180, where = 600, right = kPrintLogicalWidth - 40;
    const auto line = [&](int y, const QString& a, const QString& b, const QString& c) {
        const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
        painter.drawText(QRect(left, y, comment - left - 10, kListLineHeight), flags, a);
        painter.drawText(QRect(comment, y, where - comment - 10, kListLineHeight), flags, b);
        const QRect places(where, y, right - where, kListLineHeight);
        painter.drawText(places, flags,
                         painter.fontMetrics().elidedText(c, Qt::ElideRight, places.width()));
    };
    QFont bold = painter.font();
    bold.setBold(true);
    painter.save();
    painter.setFont(bold);
    line(0, "Device", "Comment", "Where used");
    painter.restore();
    painter.drawLine(left, kListLineHeight, right, kListLineHeight);
    for (int i = page.first; i <= page.last && i < static_cast<int>(m_devices.size()); ++i) {
        const CommentRow& row = m_devices[static_cast<size_t>(i)];
        line((i - page.first + 1) * kListLineHeight, qs(row.device), qs(row.comment),
             qs(row.where));
    }
}

void CPrintPages::print(QPrinter& printer) const {
    QPainter painter(&printer);
    if (!painter.isActive()) return;
    const QRect target = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect area(0, 0, target.width(), target.height());
    const auto all = pages(area.width(), area.height());
    const int from = printer.fromPage() > 0 ? printer.fromPage() - 1 : 0;
    const int to = printer.toPage() > 0 ? std::min<int>(printer.toPage(), all.size()) : all.size();
    for (int i = from; i < to; ++i) {
        if (i > from) printer.newPage();
        paint(painter, area, all[i], i, static_cast<int>(all.size()));
    }
}

bool CPrintPages::writePdf(const QString& path) const {
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    writer.setTitle(m_project);
    writer.setCreator("Rungsmith");
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    const QRect area(0, 0, writer.width(), writer.height());
    const auto all = pages(area.width(), area.height());
    for (size_t i = 0; i < all.size(); ++i) {
        if (i > 0) writer.newPage();
        paint(painter, area, all[i], static_cast<int>(i), static_cast<int>(all.size()));
    }
    return painter.end();
}

QSize CPrintPages::pngPageSize() {
    return QPageSize(QPageSize::A4).sizePixels(kPngDotsPerInch);
}

QStringList CPrintPages::writePng(const QString& path) const {
    const QSize size = pngPageSize();
    const auto all = pages(size.width(), size.height());
    const QFileInfo info(path);
    QStringList written;
    for (size_t i = 0; i < all.size(); ++i) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setDotsPerMeterX(static_cast<int>(kPngDotsPerInch / 0.0254));
        image.setDotsPerMeterY(static_cast<int>(kPngDotsPerInch / 0.0254));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        paint(painter, image.rect(), all[i], static_cast<int>(i), static_cast<int>(all.size()));
        painter.end();
        // NAME-2.png beside the first file, in the same folder as it is written.
        const QString folder = path.left(path.size() - info.fileName().size());
        const QString suffix = info.suffix().isEmpty() ? QString("png") : info.suffix();
        const QString name =
            i == 0
                ? path
                : folder + QString("%1-%2.%3").arg(info.completeBaseName()).arg(i + 1).arg(suffix);
        if (!image.save(name, "PNG")) return {};
        written << name;
    }
    return written;
}
