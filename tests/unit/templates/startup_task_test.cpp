#include "templates/startup_task.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <string>

#include "composition/text_holders.h"
#include "fetch_helpers.h"
#include "loopback_server.h"
#include "templates/http_get_curl.h"

namespace ld {
namespace {

using testing::LoopbackServer;
using namespace std::string_literals;

const std::string kMarketPath(kMarketTemplatePath);
const std::string kTmallPath(kTmallTemplatePath);

// Each body carries a zero byte, so the templates show that BytesToText was applied.
const std::string kMarketReply = "HTTP/1.0 200 OK\r\n\r\n<html>market frame</html>\0junk"s;
const std::string kTmallReply = "HTTP/1.0 200 OK\r\n\r\n<html>tmall frame</html>\0junk"s;
const Text kMarketPage = "<html>market frame</html>";
const Text kTmallPage = "<html>tmall frame</html>";

// In-memory texts that let a test act right after a text has been written, as the window's
// thread may between two steps of the task.
class HookedHolders : public TextHolders {
 public:
  Text Read(DocumentText which) override { return inner_.Read(which); }
  void Write(DocumentText which, Text text) override {
    inner_.Write(which, std::move(text));
    if (afterWrite) {
      afterWrite(which);
    }
  }

  std::function<void(DocumentText)> afterWrite;

 private:
  InMemoryTextHolders inner_;
};

void RunOrAbort(const std::function<void()>& task) {
  auto run = std::async(std::launch::async, task);
  if (run.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
    std::fprintf(stderr, "StartupTask did not return within 60 s\n");
    std::abort();
  }
}

class StartupTaskTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::ClearProxyVariables(); }

  void Run() {
    RunOrAbort([this] { StartupTask(client_, document_, urls_); });
  }
  Text Held(DocumentText which) { return holders_.Read(which); }

  LoopbackServer server_;
  CurlHttpClient client_;
  HookedHolders holders_;
  PreviewDocument document_{holders_, ProgramFiles{}};
  TemplateUrls urls_{server_.Url(kMarketPath), server_.Url(kTmallPath)};
};

TEST_F(StartupTaskTest, fetchesMarketThenTmall_andStartsOnTheMarketPage) {
  server_.Reply(kMarketPath, kMarketReply);
  server_.Reply(kTmallPath, kTmallReply);
  Run();
  EXPECT_EQ(server_.RequestedPaths(), (std::vector<std::string>{kMarketPath, kTmallPath}));
  EXPECT_EQ(Held(DocumentText::MarketTemplate), kMarketPage);
  EXPECT_EQ(Held(DocumentText::TmallTemplate), kTmallPage);
  EXPECT_EQ(Held(DocumentText::WorkingPage), kMarketPage);
}

TEST_F(StartupTaskTest, workingPage_staysEmptyUntilBothFetchesHaveEnded) {
  std::promise<void> release;
  auto released = release.get_future().share();
  server_.Reply(kMarketPath, kMarketReply);
  server_.Route(kTmallPath, [&](int socket) {
    released.wait_for(std::chrono::seconds(60));
    LoopbackServer::Send(socket, kTmallReply);
  });

  auto task = std::async(std::launch::async, [this] { StartupTask(client_, document_, urls_); });
  ASSERT_TRUE(server_.WaitForRequests(2, std::chrono::seconds(60)));
  // The Tmall answer is held back: the market page is in, nothing else yet.
  EXPECT_EQ(Held(DocumentText::MarketTemplate), kMarketPage);
  EXPECT_EQ(Held(DocumentText::TmallTemplate), "");
  EXPECT_EQ(Held(DocumentText::WorkingPage), "");
  // A preview composed meanwhile is replaced by the last step.
  holders_.Write(DocumentText::WorkingPage, "<html>composed meanwhile</html>");

  release.set_value();
  ASSERT_EQ(task.wait_for(std::chrono::seconds(60)), std::future_status::ready);
  EXPECT_EQ(Held(DocumentText::TmallTemplate), kTmallPage);
  EXPECT_EQ(Held(DocumentText::WorkingPage), kMarketPage);
}

TEST_F(StartupTaskTest, tmallChosenBeforeTheLastStep_stillStartsOnTheMarketPage) {
  server_.Reply(kMarketPath, kMarketReply);
  server_.Reply(kTmallPath, kTmallReply);
  bool chosen = false;
  holders_.afterWrite = [&](DocumentText which) {
    if (which == DocumentText::TmallTemplate) {
      document_.SelectEdition(static_cast<std::int32_t>(Edition::Tmall));
      chosen = Held(DocumentText::WorkingPage) == kTmallPage;
    }
  };
  Run();
  EXPECT_TRUE(chosen) << "the Tmall page never became the working page";
  EXPECT_EQ(Held(DocumentText::WorkingPage), kMarketPage);
}

TEST_F(StartupTaskTest, failedMarketFetch_leavesWorkingPageEmptyAndTmallFilled) {
  const testing::RefusingPort refusing;
  urls_.market = refusing.Url(kMarketPath);
  server_.Reply(kTmallPath, kTmallReply);
  Run();
  EXPECT_EQ(Held(DocumentText::MarketTemplate), "");
  EXPECT_EQ(Held(DocumentText::TmallTemplate), kTmallPage);
  EXPECT_EQ(Held(DocumentText::WorkingPage), "");
}

}  // namespace
}  // namespace ld
