// The manifest built into meshfold.exe: where Windows looks for it, and what
// it brings, version 6 of the common controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/TestFiles.h"

namespace meshfold {
namespace {

const std::wstring Program = std::filesystem::path(MESHFOLD_PROGRAM).wstring();

// True when the active context sends loads of comctl32.dll to a side-by-side
// assembly, which is how version 6 of the common controls is reached.
bool CommonControlsAreRedirected() {
  ACTCTX_SECTION_KEYED_DATA data{};
  data.cbSize = sizeof(data);
  return FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll",
                                  &data) != 0;
}

TEST(Manifest, IsResource24Id1InUsEnglishAndUtf8Xml) {
  const HMODULE program = LoadLibraryExW(Program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr) << "cannot load " << MESHFOLD_PROGRAM;
  const HRSRC resource = FindResourceExW(program, MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1),
                                         MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  ASSERT_NE(resource, nullptr);
  const auto* bytes = static_cast<const char*>(LockResource(LoadResource(program, resource)));
  const std::string xml(bytes, SizeofResource(program, resource));
  FreeLibrary(program);
  EXPECT_EQ(xml.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"", 0), 0u);
  for (const char* part :
       {"version=\"1.0.0.0\"", "<description></description>", "name=\"Microsoft.Windows.Common-Controls\"",
        "version=\"6.0.0.0\"", "publicKeyToken=\"6595b64144ccf1df\"", "language=\"*\""}) {
    EXPECT_NE(xml.find(part), std::string::npos) << part;
  }
  for (const char* absent : {"requestedExecutionLevel", "dpiAware", "dpiAwareness"}) {
    EXPECT_EQ(xml.find(absent), std::string::npos) << absent;
  }
}

TEST(Manifest, SendsTheCommonControlsToVersion6) {
  ASSERT_FALSE(CommonControlsAreRedirected()) << "the test program itself has no manifest";
  ACTCTXW context{};
  context.cbSize = sizeof(context);
  context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  context.lpSource = Program.c_str();
  context.lpResourceName = MAKEINTRESOURCEW(1);
  const HANDLE activation = CreateActCtxW(&context);
  ASSERT_NE(activation, INVALID_HANDLE_VALUE) << "the manifest does not parse: " << GetLastError();
  ULONG_PTR cookie = 0;
  ASSERT_TRUE(ActivateActCtx(activation, &cookie));
  EXPECT_TRUE(CommonControlsAreRedirected());
  DeactivateActCtx(0, cookie);
  ReleaseActCtx(activation);
}

}  // namespace
}  // namespace meshfold
