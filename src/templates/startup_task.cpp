#include "templates/startup_task.h"

#include "common/build_config.h"
#include "templates/bytes_to_text.h"

namespace ld {

TemplateUrls DefaultTemplateUrls() {
  const Text server = Text("http://") + kTemplateHost;
  return {server + Text(kMarketTemplatePath), server + Text(kTmallTemplatePath)};
}

void StartupTask(HttpClient& client, PreviewDocument& document, const TemplateUrls& urls) {
  document.InstallTemplate(Edition::Market, BytesToText(client.GetBytes(urls.market)));
  document.InstallTemplate(Edition::Tmall, BytesToText(client.GetBytes(urls.tmall)));
  // Whatever edition the list shows by now, the first working page is the market one.
  document.ResetWorkingPage(Edition::Market);
}

}  // namespace ld
