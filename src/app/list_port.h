// The two lists of the directory window: a search hit shown, the lists printed.
#pragma once

#include "app/window_parts.h"
#include "frame/directory_lists.h"

namespace tandel {

class PrintPort;

class ListPort : public virtual DirectoryLists {
public:
    ListPort(WindowParts& parts, const PrintPort& printer) : parts_(parts), printer_(printer) {}

    void showListRow(int list, std::int64_t row) override;
    void printDirectoryLists() override;

private:
    WindowParts& parts_;
    const PrintPort& printer_;
};

} // namespace tandel
