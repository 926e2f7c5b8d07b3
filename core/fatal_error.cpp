#include "core/fatal_error.h"

#include <cstdio>
#include <cstdlib>

#include "core/encoding.h"
#include "core/platform.h"

namespace quemira::core {

Text fatal_error_text(std::optional<std::int32_t> code, const Text& message, const Text& where) {
  Text text = "运行时出错!\r\n";
  if (code) text += concat("\r\n错误代码：", int_to_text(*code), "\r\n");
  if (!message.empty()) text += concat("\r\n错误信息：", message, "\r\n");
  text += concat("\r\n", where, "\r\n");
  return text;
}

void fatal_error(std::optional<std::int32_t> code, const Text& message, const Text& where) {
  const Text text = fatal_error_text(code, message, where);
  const std::string shown = utf8_from_text(text);
  std::fwrite(shown.data(), 1, shown.size(), stderr);
  std::fflush(stderr);
  platform().message_box("错误", text, BoxIcon::stop);
  std::_Exit(-1);
}

Text describe(const std::source_location& where) {
  return concat(where.file_name(), ":", int_to_text(static_cast<std::int32_t>(where.line())),
                " ", where.function_name());
}

void fatal_out_of_memory(std::size_t bytes) {
  Text message = "分配 %d 字节内存失败!";
  message.replace(message.find("%d"), 2, std::to_string(bytes));
  fatal_error(std::nullopt, message, "operator new");
}

void fail_list_index(std::int32_t index, std::int32_t count, const std::source_location& where) {
  const Text place = concat(describe(where), " (index ", int_to_text(index), " of ",
                            int_to_text(count), ")");
  if (index < 1) fatal_error(4, "数组成员引用下标必须大于等于1", place);
  fatal_error(1, "数组成员引用下标超出定义范围", place);
}

}  // namespace quemira::core
