#pragma once

#include <QPainter>
#include <QPrinter>
#include <QString>
#include <vector>

#include "app/model/comment_text.h"
#include "app/model/print_layout.h"
#include "core/session.h"
#include "project/device_comments.h"

// The pages of a project as they are printed, previewed and exported: the
// ladder (or the list, when the list is shown) as the view draws it, without
// cursor or marks, cut into pages of whole rows, each with the project name,
// its page number and the date in a header. A project with device comments
// prints them under the contacts and coils (beside the list's lines) and
// ends with pages listing every device: its comment and where it is used.
class CPrintPages {
  public:
    CPrintPages(const rs::Session& session, QString project, QString date,
                const rs::DeviceComments* comments = nullptr);

    // Pages for paper of the given proportions (width and height in any unit).
    std::vector<rs::shell::PrintPage> pages(double pageWidth, double pageHeight) const;
    // Draws page `index` (from 0) of `count` into the device rectangle.
    void paint(QPainter& painter, const QRect& target, const rs::shell::PrintPage& page, int index,
               int count) const;

    // Prints every page on a printer (or into the preview's printer).
    void print(QPrinter& printer) const;
    // Writes a PDF of A4 pages; false when the file cannot be written.
    bool writePdf(const QString& path) const;
    // Writes each A4 page as a PNG at 150 dots per inch: the first page to
    // `path`, the next ones beside it as NAME-2.png, NAME-3.png ... Returns
    // the files written (empty when one could not be written).
    QStringList writePng(const QString& path) const;

    static QSize pngPageSize();  // A4 at 150 dots per inch

  private:
    int rowHeight() const;
    int rowCount() const;
    void paintDeviceList(QPainter& painter, const rs::shell::PrintPage& page) const;

    const rs::Session& m_session;
    const rs::DeviceComments* m_pComments;
    std::vector<rs::shell::CommentRow> m_devices;  // the device list, empty without comments
    QString m_project;
    QString m_date;
};
