#include "app/Translator.h"

namespace ik {

const char* Translator::tr(const char* czech) const {
    if (!catalog_) return czech;
    const std::string* translation = catalog_->find(czech);
    return translation ? translation->c_str() : czech;
}

std::string Translator::trf(const char* czech, std::initializer_list<std::string_view> values) const {
    const std::string_view format = tr(czech);
    std::string text;
    auto value = values.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            text += format[i];
            continue;
        }
        const char kind = format[++i];
        if (kind == '%') {
            text += '%';
        } else if (value != values.end()) {
            text += *value++;
        }
    }
    return text;
}

}  // namespace ik
