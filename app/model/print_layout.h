#pragma once

#include <string>
#include <vector>

namespace rs::shell {

// A printed page is drawn as a window 1200 pixels wide would draw it (cells
// of 100 pixels, list lines of 25), then scaled to the paper.
constexpr int kPrintLogicalWidth = 1200;
constexpr int kPrintHeaderHeight = 60;  // project name, page number and date
constexpr int kPrintLadderRowHeight = 100;

// The rows (ladder rows or list lines) of one page, ends included; on a
// page of the device list, its rows.
struct PrintPage {
    int first = 0;
    int last = -1;
    bool deviceList = false;
    bool operator==(const PrintPage&) const = default;
};

// Whole rows per page for a page of the given logical height (at least one).
int rowsPerPage(int logicalPageHeight, int rowHeight);

// `count` rows split into pages of whole rows; one page even when empty.
std::vector<PrintPage> paginate(int count, int rowsPerPage);

// The pages of a program's rows followed by the pages of a device list of
// `devices` rows (none when it is empty); each device list page begins with
// a heading line.
std::vector<PrintPage> paginateWithDeviceList(int count, int rowsPerPage, int devices,
                                              int logicalPageHeight, int deviceRowHeight);

// The logical height of a page of the given size (any unit) drawn
// kPrintLogicalWidth wide.
int logicalPageHeight(double pageWidth, double pageHeight);

// The three parts of a page header.
struct PageHeader {
    std::string project;
    std::string page;  // "Page 2 of 5"
    std::string date;
};
PageHeader pageHeader(const std::string& project, int page, int pages, const std::string& date);

}  // namespace rs::shell
