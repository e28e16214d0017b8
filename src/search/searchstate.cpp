#include "searchstate.h"

int findsession(const SearchState &state)
{
    for (int d = 1; d <= state.urldata.ubound(); ++d) {
        if (state.urldata[d].url == state.txturl)
            return d;
    }
    return 0;
}
