// A File Mode panel over a server directory held in memory, and the bytes of its files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "link_file/MemoryFileSystem.h"
#include "model/Panel.h"
#include "support/FakePorts.h"

namespace dazi::testing {

using Bytes = std::vector<uint8_t>;

inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}
inline Bytes Int16(int value) {
  return {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>(value >> 8 & 0xFF)};
}
inline Bytes Text(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

// "lalpha.ndf" of `inputs` inputs ("IN 0000 " ...) and `outputs` outputs ("OUT0000 " ...), the
// channels in reverse order.
inline Bytes CountedAlphas(int type, int inputs, int outputs) {
  Bytes b = Int16(type);
  for (const auto& [format, count] :
       {std::pair("IN %04d ", inputs), std::pair("OUT%04d ", outputs)}) {
    b = Join({b, Int16(count)});
    char name[16];
    for (int k = 0; k < count; ++k) {
      std::snprintf(name, sizeof name, format, k);
      b = Join({b, Text(name)});
    }
    for (int k = 0; k < count; ++k) b = Join({b, Int16(count - 1 - k)});
  }
  return b;
}

// The small server: 3 inputs, 2 outputs, output channel 0 fed from input channel 1, output
// channel 1 without a source; input 1 inhibited for output 0, input 2 for output 1.
struct ServerDirectory {
  static constexpr const char* kPath = "/srv/zor/";

  ServerDirectory() {
    InitVariables(panel);
    panel.Files = &files;
    panel.Settings.ServerPath = kPath;
    panel.Settings.InputDisplayList.assign(300, '1');
    panel.Settings.OutputDisplayList.assign(300, '1');
    Put("Status.ndf", {1});
    Put("lalpha.ndf",
        Join({Int16(7), Int16(3), Text("CAM 1   CAM 2   VTR     "), Int16(2), Int16(0), Int16(1),
              Int16(2), Text("MON     AIR     "), Int16(1), Int16(0)}));
    Put("lxptmap.ndf", Join({{5}, Int16(2), Int16(1), Int16(1), Int16(0)}));
    Put("linhbt.ndf", Join({Int16(2), Int16(3), Text("010001")}));
  }
  void Put(const std::string& name, Bytes bytes) { files.Put(kPath + name, std::move(bytes)); }
  void Remove(const std::string& name) { files.Remove(kPath + name); }
  void PutOther(const std::string& name) { files.PutOther(kPath + name); }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const RecordedMessage& m : ui.Messages) texts.push_back(m.Text);
    return texts;
  }

  FakeUi ui;
  FakeSocket socket;
  MemoryFileSystem files;
  Panel panel{ui, socket};
};

}  // namespace dazi::testing
