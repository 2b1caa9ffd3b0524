#pragma once

#include <string_view>

#include "common/text.h"
#include "composition/preview_document.h"
#include "templates/http_client.h"

namespace ld {

inline constexpr std::string_view kMarketTemplatePath = "/ldxz/lddmylq/jsb.txt";
inline constexpr std::string_view kTmallTemplatePath = "/ldxz/lddmylq/tmb.txt";

// Where the two shop frame templates are fetched from.
struct TemplateUrls {
  Text market;
  Text tmall;
};

// The two template paths on the template server of this build.
TemplateUrls DefaultTemplateUrls();

// Fetches the market template and installs it, fetches the Tmall template and installs it, then
// makes the market template the working page. A failed fetch installs an empty template.
void StartupTask(HttpClient& client, PreviewDocument& document,
                 const TemplateUrls& urls = DefaultTemplateUrls());

}  // namespace ld
