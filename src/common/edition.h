#pragma once

namespace ld {

// The two shop editions, numbered as the items of the edition list: 0 "集市版", 1 "天猫版".
enum class Edition { Market = 0, Tmall = 1 };

}  // namespace ld
