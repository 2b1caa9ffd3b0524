#pragma once

#include <functional>

#include "common/control_access.h"
#include "common/message_box.h"
#include "common/program_files.h"
#include "common/text.h"

namespace ld {

// The not-ready message and the title of the system's one message box.
extern const Text kNotReadyMessage;  // "正在从服务器读取配置文件，请等待数秒再试"
extern const Text kMessageTitle;     // "瓴丹提示"

// One preview, behind a click of 按钮1 (which the click handler has disabled): checks that the
// working page is there, applies the restart option, runs the rule of the selected region on the
// code box's snippet, writes PreviewFile, enables both preview buttons and starts the display.
// Each control is read at the step that needs it, so a change made meanwhile counts from then on.
void PreviewTask(ControlAccess& controls, MessageBoxPort& messages, const ProgramFiles& files,
                 const std::function<void()>& startDisplayTask);

}  // namespace ld
