// The product's own help source compiled and read back the way Wine's viewer reads it:
// every number the editor window asks for opens the topic the source gives it, and each
// field's topic quotes the field's caption, its version resource key and its VRI key.
// Expected texts are code page 932, as this file's literals are compiled.
#include <gtest/gtest.h>
#include <iconv.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "tests/support/winhelp_reader.h"
#include "tools/hlpc/compiler.h"
#include "tools/hlpc/context_hash.h"

namespace {

using testsupport::WinHelpFile;

std::string ReadSource() {
  std::ifstream in(TALLOWIN_HELP_SOURCE, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string ToCp932(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  std::string out(utf8.size() * 2 + 1, '\0');
  char* in = const_cast<char*>(utf8.data());
  char* to = out.data();
  size_t inLeft = utf8.size(), outLeft = out.size();
  iconv(cd, &in, &inLeft, &to, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

// The source's topic headers, "# NUMBER CONTEXT TITLE", read on their own.
struct Header {
  std::string context, title;
};
std::map<uint32_t, Header> Headers(const std::string& source, std::string* caption) {
  std::map<uint32_t, Header> headers;
  std::istringstream lines(source);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string hash, context, title;
    uint32_t number = 0;
    if (line.rfind("@caption ", 0) == 0) *caption = ToCp932(line.substr(9));
    if (line.rfind("# ", 0) != 0 || !(words >> hash >> number >> context)) continue;
    std::getline(words >> std::ws, title);
    headers[number] = {context, ToCp932(title)};
  }
  return headers;
}

class QuelvarHelp : public testing::Test {
 protected:
  QuelvarHelp() {
    const hlpc::CompileResult result = hlpc::CompileHelp(source_, {});
    for (const auto& d : result.diagnostics) ADD_FAILURE() << "line " << d.line << ": " << d.message;
    file_ = std::make_unique<WinHelpFile>(result.file);
    headers_ = Headers(source_, &caption_);
  }
  std::string source_ = ReadSource();
  std::unique_ptr<WinHelpFile> file_;
  std::map<uint32_t, Header> headers_;
  std::string caption_;
};

TEST_F(QuelvarHelp, EveryNumberTheWindowAsksForOpensItsOwnTopic) {
  std::set<uint32_t> numbers = {1};
  for (uint32_t n = 11; n <= 24; ++n) numbers.insert(n);
  std::set<uint32_t> inFile, offsets;
  for (const auto& [number, offset] : file_->ContextMap()) inFile.insert(number), offsets.insert(offset);
  EXPECT_EQ(inFile, numbers);
  EXPECT_EQ(offsets.size(), numbers.size()) << "each number its own topic";
  EXPECT_EQ(file_->Pages().size(), numbers.size() + 1) << "no topic but these (and the chain's closing header)";
  for (uint32_t number : numbers) {
    const auto topic = file_->TopicByNumber(number);
    ASSERT_TRUE(topic) << number;
    ASSERT_TRUE(headers_.count(number)) << number;
    EXPECT_EQ(topic->page.title, headers_[number].title) << number;
    ASSERT_GE(topic->paragraphs.size(), 3u) << number;
    EXPECT_EQ(topic->paragraphs[0].Text(), headers_[number].title) << number;
  }
}

TEST_F(QuelvarHelp, SaysWhichHelpItIsAndJumpsFromTheContentsToEveryField) {
  ASSERT_EQ(file_->System().windows.size(), 1u);
  EXPECT_EQ(file_->System().windows[0].name, "main");
  EXPECT_EQ(file_->System().windows[0].caption, caption_);
  EXPECT_NE(caption_.find("ﾍﾙﾌﾟ"), std::string::npos);
  const auto contents = file_->TopicByNumber(1);
  ASSERT_TRUE(contents);
  std::set<uint32_t> jumps;
  for (const auto& hotspot : contents->hotspots) jumps.insert(hotspot.hash);
  for (uint32_t number = 11; number <= 24; ++number) {
    const uint32_t hash = hlpc::ContextHash(headers_[number].context);
    EXPECT_TRUE(jumps.count(hash)) << "no jump to topic " << number;
    const auto target = file_->TopicByHash(hash);
    ASSERT_TRUE(target) << number;
    EXPECT_EQ(target->page.title, headers_[number].title);
  }
}

struct FieldTopic {
  uint32_t number;
  const char* caption;      // as the window shows it
  const char* resourceKey;  // in the compiled version resource
  const char* vriKey;
};

TEST_F(QuelvarHelp, EachFieldTopicQuotesItsCaptionResourceKeyAndVriKey) {
  const FieldTopic fields[] = {
      {11, "ﾊﾞｰｼﾞｮﾝ情報を含める(I)", "{$R VERSION.RES}", "IncludeVerInfo="},
      {12, "ﾌｧｲﾙ ﾊﾞｰｼﾞｮﾝ(V)", "FILEVERSION", "FileVersion="},
      {13, "ﾌｧｲﾙ ﾊﾞｰｼﾞｮﾝ(V)", "FileVersion", "FileVerView="},
      {14, "説明(D)", "FileDescription", "Description="},
      {15, "著作権(C)", "LegalCopyright", "CopyRight="},
      {16, "ﾌｧｲﾙﾀｲﾌﾟ(Y)", "FILETYPE", "FileType="},
      {17, "会社名(N)", "CompanyName", "CompanyName="},
      {18, "言語(L)", "Translation", "Translation="},
      {19, "正式ﾌｧｲﾙ名(O)", "OriginalFilename", "OriginalName="},
      {20, "製品ﾊﾞｰｼﾞｮﾝ(P)", "PRODUCTVERSION", "ProductVersion="},
      {21, "製品ﾊﾞｰｼﾞｮﾝ(P)", "ProductVersion", "ProductVerView="},
      {22, "製品名(R)", "ProductName", "ProductName="},
      {23, "内部名(I)", "InternalName", "InternalName="},
      {24, "ｺﾒﾝﾄ(M)", "Comments", "IncludeComment="},
  };
  for (const FieldTopic& field : fields) {
    const auto topic = file_->TopicByNumber(field.number);
    ASSERT_TRUE(topic) << field.number;
    const std::string text = topic->Text();
    for (const char* quoted : {field.caption, field.resourceKey, field.vriKey, "初期値"}) {
      EXPECT_NE(text.find(quoted), std::string::npos) << "topic " << field.number << " lacks " << quoted;
    }
  }
}

// The source's "@keywords" lines, read on their own: keyword (code page 932) -> the context
// strings of the topics that list it.
std::map<std::string, std::set<std::string>> SourceKeywords(const std::string& source) {
  std::map<std::string, std::set<std::string>> keywords;
  std::istringstream lines(source);
  std::string context;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string hash, number;
    if (line.rfind("# ", 0) == 0 && (words >> hash >> number >> context)) continue;
    if (line.rfind("@keywords ", 0) != 0) continue;
    std::istringstream list(line.substr(10));
    for (std::string keyword; std::getline(list, keyword, ';');) {
      keyword = keyword.substr(keyword.find_first_not_of(' '));
      keyword = keyword.substr(0, keyword.find_last_not_of(' ') + 1);
      keywords[ToCp932(keyword)].insert(context);
    }
  }
  return keywords;
}

TEST_F(QuelvarHelp, EveryKeywordLeadsToTheTopicsItsSourceNamesAndEveryFieldHasOne) {
  std::map<std::string, std::string> titleOfContext;
  for (const auto& [number, header] : headers_) titleOfContext[header.context] = header.title;
  const auto expected = SourceKeywords(source_);
  const auto keywords = file_->Keywords();
  EXPECT_EQ(keywords.size(), expected.size());
  std::set<std::string> reached;
  for (const auto& keyword : keywords) {
    ASSERT_TRUE(expected.count(keyword.text)) << keyword.text;
    std::set<std::string> titles, sourceTitles;
    for (uint32_t offset : keyword.offsets) {
      const auto topic = file_->TopicAtOffset(offset);
      ASSERT_TRUE(topic) << keyword.text;
      titles.insert(topic->page.title);
    }
    for (const std::string& context : expected.at(keyword.text)) {
      sourceTitles.insert(titleOfContext[context]);
      reached.insert(context);
    }
    EXPECT_EQ(titles, sourceTitles) << keyword.text;
  }
  for (uint32_t number = 11; number <= 24; ++number) {
    EXPECT_TRUE(reached.count(headers_[number].context)) << "no keyword leads to topic " << number;
  }
  for (const char* wanted : {"著作権", "LegalCopyright", "ﾋﾞﾙﾄﾞ番号", "言語", "VRI ﾌｧｲﾙ", "{$R VERSION.RES}", "ｵﾌﾟｼｮﾝ",
                             "TalloVer"}) {
    EXPECT_TRUE(expected.count(wanted)) << "the index lacks " << wanted;
  }
}

// << and >> step from the contents through the fields in the window's order (11 to 24).
TEST_F(QuelvarHelp, BrowsingStepsFromTheContentsThroughTheFieldsInTheWindowsOrder) {
  std::vector<uint32_t> order = {1};
  for (uint32_t number = 11; number <= 24; ++number) order.push_back(number);
  const uint32_t none = 0xFFFFFFFF;
  for (size_t i = 0; i < order.size(); ++i) {
    const auto topic = file_->TopicByNumber(order[i]);
    ASSERT_TRUE(topic) << order[i];
    const uint32_t back = i == 0 ? none : file_->TopicByNumber(order[i - 1])->page.offset;
    const uint32_t forward = i + 1 == order.size() ? none : file_->TopicByNumber(order[i + 1])->page.offset;
    EXPECT_EQ(topic->page.browseBack, back) << order[i];
    EXPECT_EQ(topic->page.browseForward, forward) << order[i];
  }
  EXPECT_EQ(file_->System().macros, std::vector<std::string>{"BrowseButtons()"});
}

TEST_F(QuelvarHelp, TheContentsFileHoldsOneBookWithEveryTopic) {
  const hlpc::CompileResult result = hlpc::CompileHelp(source_, hlpc::CompileOptions{0, "Quelvar.hlp"});
  std::istringstream lines(result.contents);
  std::vector<std::string> read;
  for (std::string line; std::getline(lines, line);) {
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.back(), '\r');
    read.push_back(line.substr(0, line.size() - 1));
  }
  ASSERT_EQ(read.size(), 3 + headers_.size());
  EXPECT_EQ(read[0], ":Base Quelvar.hlp");
  EXPECT_EQ(read[1].rfind(":Title ", 0), 0u);
  EXPECT_EQ(read[2].rfind("1 ", 0), 0u);
  size_t line = 3;
  for (const auto& [number, header] : headers_) {  // the source's order is that of the numbers
    EXPECT_EQ(read[line++], "2 " + header.title + "=" + header.context) << number;
  }
}

}  // namespace
