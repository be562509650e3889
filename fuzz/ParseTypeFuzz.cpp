// ParseType on any parameter text: it always completes and stores only what fits, and
// a parse taken from the cache of a read is the parse itself.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzPlatform.h"
#include "model/ParamType.h"
#include "model/ParseCache.h"
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

    std::string_view text(reinterpret_cast<const char*>(data), size);
    ParseCache cache;
    for (int round = 0; round < 2; ++round) {
        ParamType cached;
        cached.m_strText = Text::Refer(text);
        cache.Parse(cached, "Fuzz:Command");
        bool same = cached.m_nOrCount == param.m_nOrCount &&
                    cached.m_strDescription == param.m_strDescription;
        for (std::size_t g = 0; same && g < OrGroupArray::kSize; ++g) {
            same = cached.m_oOr[g] == param.m_oOr[g];
        }
        if (!same) {
            std::abort();
        }
    }
    return 0;
}
