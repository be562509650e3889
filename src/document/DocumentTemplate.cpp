#include "document/DocumentTemplate.h"

#include <array>

DocumentTemplate::DocumentTemplate(const std::string& description) {
    std::array<std::string*, 7> fields = {&m_strWindowTitle, &m_strDocName,   &m_strFileNewName,
                                          &m_strFilterName,  &m_strFilterExt, &m_strFileTypeId,
                                          &m_strFileTypeName};
    std::size_t start = 0;
    for (std::string* field : fields) {
        if (start > description.size()) {
            break; // missing trailing fields stay empty
        }
        std::size_t end = description.find('\n', start);
        if (end == std::string::npos) {
            end = description.size();
        }
        *field = description.substr(start, end - start);
        start = end + 1;
    }
}

std::string DocumentTemplate::NextUntitledTitle() const {
    return m_strDocName + std::to_string(m_nUntitledCount + 1);
}
