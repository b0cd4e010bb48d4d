#include "app/list_port.h"

#include <climits>

#include "app/print_port.h"
#include "control/application.h"
#include "dirmerge/directory_merge.h"
#include "view/directory_window.h"
#include "view/edit_cont.h"
#include "view/print_job.h"

namespace tandel {

// The hit's row is selected alone: the lists clear each other's selection.
void ListPort::showListRow(int list, std::int64_t row) {
    DirectoryWindow* lists = parts_.container->directoryWindow();
    if (lists != nullptr && row >= 0 && row <= INT_MAX) {
        lists->showRow(list, static_cast<int>(row));
    }
}

void ListPort::printDirectoryLists() {
    PrintJob* job = printer_.job();
    if (job == nullptr) {
        return;
    }
    const std::vector<ComparisonRow>& rows = parts_.directories->state.rows;
    for (const int row : parts_.directories->shownRows()) {
        if (parts_.app->settings.record.printCancelled != 0) {
            return;
        }
        job->printListRow(rows[static_cast<std::size_t>(row)]);
    }
}

} // namespace tandel
