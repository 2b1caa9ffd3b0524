#pragma once

#include <string>

#include "common/text.h"
#include "templates/http_client.h"

namespace ld::testing {

// A machine proxy must not stand between the tests and their loopback server.
void ClearProxyVariables();

// client.GetBytes(url), ending the test program with a message if the fetch hangs.
std::string FetchOrAbort(HttpClient& client, const Text& url);

}  // namespace ld::testing
