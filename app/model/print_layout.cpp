#include "app/model/print_layout.h"

#include <algorithm>
#include <cmath>

namespace rs::shell {

int rowsPerPage(int logicalPageHeight, int rowHeight) {
    if (rowHeight <= 0) return 1;
    return std::max(1, (logicalPageHeight - kPrintHeaderHeight) / rowHeight);
}

std::vector<PrintPage> paginate(int count, int perPage) {
    perPage = std::max(perPage, 1);
    std::vector<PrintPage> pages;
    for (int first = 0; first < count; first += perPage)
        pages.push_back({first, std::min(first + perPage, count) - 1});
    if (pages.empty()) pages.push_back({0, -1});
    return pages;
}

std::vector<PrintPage> paginateWithDeviceList(int count, int perPage, int devices, int height,
                                              int deviceRowHeight) {
    std::vector<PrintPage> pages = paginate(count, perPage);
    if (devices <= 0) return pages;
    const int listPerPage = rowsPerPage(height - deviceRowHeight, deviceRowHeight);
    for (PrintPage page : paginate(devices, listPerPage)) {
        page.deviceList = true;
        pages.push_back(page);
    }
    return pages;
}

int logicalPageHeight(double pageWidth, double pageHeight) {
    if (pageWidth <= 0) return kPrintLogicalWidth;
    return static_cast<int>(std::floor(kPrintLogicalWidth * pageHeight / pageWidth));
}

PageHeader pageHeader(const std::string& project, int page, int pages, const std::string& date) {
    return {project, "Page " + std::to_string(page) + " of " + std::to_string(pages), date};
}

}  // namespace rs::shell
