#include "generation/locations.h"
#include "records/layout_parts.h"

namespace dravok {

void find_location(tstuff& request, int) {
    // not built yet: choosing the area that fits a placement request
    request.area = 0;
}

void find_location_spot(tstuff& request, int) {
    // not built yet: choosing the cell inside an area by the request's pattern
    request.result_x = 0;
    request.result_y = 0;
}

} // namespace dravok
