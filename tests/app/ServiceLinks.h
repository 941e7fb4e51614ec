// The main window's six links and the pages of the service site they open, for the
// tests of the program's own host and of a build for another host.
#pragma once

#include <string>
#include <vector>

#include "res/resource.h"

const int MAIN_LINK_IDS[] = {IDC_LINK_CENTRE, IDC_LINK_FREE_ADVICE, IDC_LINK_BOOKING,
                             IDC_LINK_LITIGATOR, IDC_LINK_PRIVATE_COUNSEL, IDC_LINK_COMPANY_COUNSEL};

// The six pages on `site` ("http://" and a host), in the order of MAIN_LINK_IDS; the first
// is the site's root, with no path at all.
inline std::vector<std::string> ServicePages(const std::string& site) {
    return {site,
            site + "/quest.php",
            site + "/showNote.php?id=581",
            site + "/showNote.php?id=580",
            site + "/showNote.php?id=579",
            site + "/showNote.php?id=578"};
}
