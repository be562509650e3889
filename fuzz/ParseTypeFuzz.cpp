// ParseType on any parameter text: it always completes and stores only what fits.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzPlatform.h"
#include "model/ParamType.h"
#include "model/TypeKeywordTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzPlatform platform;
    ParamType param;
    param.m_strText = std::string_view(reinterpret_cast<const char*>(data), size);
    param.ParseType("Fuzz:Command");
    bool sound = param.m_nOrCount >= 0 && param.m_strText.size() == size;
    for (const OrGroup& group : param.m_oOr) {
        sound = sound && group.m_nAndCount >= 0 && group.m_nAndCount <= OrGroup::kMaxTerms;
        for (int t = 0; sound && t < group.m_nAndCount; ++t) {
            int keyword = group.m_oAnd[static_cast<std::size_t>(t)].m_nKeyword;
            sound = keyword >= 0 && keyword < TypeKeywordTable::kCount;
        }
    }
    if (!sound) {
        std::abort();
    }
    return 0;
}
