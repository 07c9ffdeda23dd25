#include "editor/window/main_layout.h"

#include "controls/mlchkbox.h"
#include "ui/spin_edit.h"
#include "ui/standard_controls.h"
#include "ui/tool_button.h"

using ui::Make;
using ui::ShortCut;

const char kMainCaption[] = "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽ";

const ui::FormSpec kMainFormSpec{kMainCaption, 317, 370, ui::BorderStyle::Single, true, true, 0};

namespace {

auto* const kLabel = &Make<ui::Label>;
auto* const kEdit = &Make<ui::Edit>;
auto* const kSpin = &Make<ui::SpinEdit>;
auto* const kCombo = &Make<ui::ComboBox>;
auto* const kTool = &Make<ui::ToolButton>;
const char kVersionText[] = "ﾌﾟﾛﾊﾟﾃｨ画面に表示されるﾊﾞｰｼﾞｮﾝ番号";

}  // namespace

// name, kind, parent, left, top, width, height, caption, hint, help, tab order, link, tooltip
const ui::ControlSpec kMainControls[] = {
    {"Panel1", &Make<ui::Panel>, nullptr, 0, 0, 317, 33, "", "", 11, 20, nullptr, false},
    {"OpenButton", kTool, "Panel1", 5, 4, 25, 25, "", "開く|ﾊﾞｰｼﾞｮﾝ情報ﾌｧｲﾙを開きます", 0, -1, nullptr, true},
    {"SaveButton", kTool, "Panel1", 30, 4, 25, 25, "", "保存|編集中のﾊﾞｰｼﾞｮﾝ情報を上書き保存します", 0, -1, nullptr, true},
    {"CompileButton", kTool, "Panel1", 79, 4, 25, 25, "",
     "ｺﾝﾊﾟｲﾙ|ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽをｺﾝﾊﾟｲﾙしてresﾌｧｲﾙを生成します", 0, -1, nullptr, true},
    {"OptionButton", kTool, "Panel1", 111, 4, 25, 25, "", "ｵﾌﾟｼｮﾝ|ｺﾝﾊﾟｲﾗのﾃﾞｨﾚｸﾄﾘ設定などを行います。", 0, -1, nullptr,
     false},
    {"HelpButton", kTool, "Panel1", 160, 4, 25, 25, "", "ﾍﾙﾌﾟ|ﾍﾙﾌﾟﾌｧｲﾙを起動します", 0, -1, nullptr, true},
    {"ExitButton", kTool, "Panel1", 288, 4, 24, 25, "", "終了|ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽの編集を終了します", 0, -1, nullptr, true},

    {"Include1", &Make<ui::CheckBox>, nullptr, 8, 40, 153, 17, "ﾊﾞｰｼﾞｮﾝ情報を含める(&I)", "", 11, 22, nullptr, false},
    {"Label1", kLabel, nullptr, 8, 65, 0, 0, "ﾌｧｲﾙ ﾊﾞｰｼﾞｮﾝ(&V)", "", 0, -1, "Edit1", false},
    {"SpinEdit1", kSpin, nullptr, 102, 59, 45, 21, "1", "ﾒｼﾞｬｰﾊﾞｰｼﾞｮﾝ", 12, 0, nullptr, false},
    {"SpinEdit2", kSpin, nullptr, 148, 59, 45, 21, "0", "ﾏｲﾅｰﾊﾞｰｼﾞｮﾝ", 12, 1, nullptr, false},
    {"SpinEdit3", kSpin, nullptr, 194, 59, 45, 21, "0", "ﾘﾘｰｽﾊﾞｰｼﾞｮﾝ", 12, 2, nullptr, false},
    {"SpinEdit4", kSpin, nullptr, 240, 59, 45, 21, "0", "ﾋﾞﾙﾄﾞﾊﾞｰｼﾞｮﾝ", 12, 3, nullptr, false},
    {"Edit1", kEdit, nullptr, 139, 81, 146, 20, "", kVersionText, 13, 4, nullptr, false},
    {"Label2", kLabel, nullptr, 56, 105, 0, 0, "説明(&D)", "", 0, -1, "Edit3", false},
    {"Edit3", kEdit, nullptr, 102, 102, 183, 20, "", "アプリケーションの説明を記述します", 14, 5, nullptr, false},
    {"Label3", kLabel, nullptr, 44, 127, 0, 0, "著作権(&C)", "", 0, -1, "Edit4", false},
    {"Edit4", kEdit, nullptr, 102, 123, 183, 20, "Copyright (c) 1997 ", "著作権表示", 15, 6, nullptr, false},
    {"Label4", kLabel, nullptr, 29, 153, 0, 0, "ﾌｧｲﾙﾀｲﾌﾟ(&Y)", "", 0, -1, "FileTypeBox", false},
    {"FileTypeBox", kCombo, nullptr, 102, 150, 183, 20, "", "作成するファイルのタイプ", 16, 7, nullptr, false},
    {"Label5", kLabel, nullptr, 43, 181, 0, 0, "会社名(&N)", "", 0, -1, "Edit5", false},
    {"Edit5", kEdit, nullptr, 102, 177, 183, 20, "", "会社名を記述します", 17, 8, nullptr, false},
    {"Label6", kLabel, nullptr, 56, 202, 0, 0, "言語(&L)", "", 0, -1, "ComboBox1", false},
    {"ComboBox1", kCombo, nullptr, 102, 198, 183, 20, "", "対応言語を選択します", 18, 9, nullptr, false},
    {"Label7", kLabel, nullptr, 16, 223, 0, 0, "正式ﾌｧｲﾙ名(&O)", "", 0, -1, "Edit6", false},
    {"Edit6", kEdit, nullptr, 102, 219, 183, 20, "", "通常はファイル名（拡張子つき）です", 19, 10, nullptr, false},
    {"Label8", kLabel, nullptr, 15, 245, 0, 0, "製品ﾊﾞｰｼﾞｮﾝ(&P)", "", 0, -1, "Edit2", false},
    {"SpinEdit5", kSpin, nullptr, 102, 240, 45, 21, "1", "ﾒｼﾞｬｰﾊﾞｰｼﾞｮﾝ", 20, 11, nullptr, false},
    {"SpinEdit6", kSpin, nullptr, 148, 240, 45, 21, "0", "ﾏｲﾅｰﾊﾞｰｼﾞｮﾝ", 20, 12, nullptr, false},
    {"SpinEdit7", kSpin, nullptr, 194, 240, 45, 21, "0", "ﾘﾘｰｽﾊﾞｰｼﾞｮﾝ", 20, 13, nullptr, false},
    {"SpinEdit8", kSpin, nullptr, 240, 240, 45, 21, "0", "ﾋﾞﾙﾄﾞﾊﾞｰｼﾞｮﾝ", 20, 14, nullptr, false},
    {"Edit2", kEdit, nullptr, 139, 262, 146, 20, "", kVersionText, 21, 15, nullptr, false},
    {"Label9", kLabel, nullptr, 44, 286, 0, 0, "製品名(&R)", "", 0, -1, "Edit7", false},
    {"Edit7", kEdit, nullptr, 102, 283, 183, 20, "", "製品名を記述します", 22, 16, nullptr, false},
    {"Label10", kLabel, nullptr, 47, 308, 0, 0, "内部名(&I)", "", 0, -1, "Edit8", false},
    {"Edit8", kEdit, nullptr, 102, 304, 183, 20, "", "通常は拡張子なしのファイル名です。", 23, 17, nullptr, false},
    {"Comment1", &Make<TMultiLineCheckBox>, nullptr, 35, 330, 65, 17, "ｺﾒﾝﾄ(&M)",
     "ﾁｪｯｸするとｺﾒﾝﾄを含めることができます。", 24, 18, "Edit9", false},
    {"Edit9", kEdit, nullptr, 102, 328, 212, 20, "", "ﾊﾞｰｼﾞｮﾝ情報に含めるｺﾒﾝﾄを記述します", 24, 19, nullptr, false},
    {"StatusBar1", &Make<ui::StatusBar>, nullptr, 0, 351, 317, 19, "", "", 0, 21, nullptr, false},
};
const size_t kMainControlCount = sizeof kMainControls / sizeof kMainControls[0];

// name, parent, caption, shortcut, hint, enabled
const ui::MenuSpec kMainMenu[] = {
    {"File1", nullptr, "ﾌｧｲﾙ(&F)", 0, "", true},
    {"Open1", "File1", "開く(&O)...", ShortCut::kCtrl | 'O', "既存のリソースファイルを開きます", true},
    {"Save1", "File1", "上書き保存(&S)", ShortCut::kCtrl | 'S', "編集中のﾘｿｰｽを上書き保存します", true},
    {"SaveAs1", "File1", "名前をつけて保存(&A)...", 0, "編集中のﾘｿｰｽに名前をつけて保存します", false},
    {"N2", "File1", "-", 0, "", true},
    {"Exit1", "File1", "終了(&X)", VK_ESCAPE, "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽの編集を終了します", true},
    {"Project1", nullptr, "ﾌﾟﾛｼﾞｪｸﾄ(&P)", 0, "", true},
    {"C1", "Project1", "ｺﾝﾊﾟｲﾙ(&C)", ShortCut::kCtrl | VK_F9, "ﾊﾞｰｼﾞｮﾝ情報ﾘｿｰｽをｺﾝﾊﾟｲﾙしてresﾌｧｲﾙを生成します", true},
    {"N1", "Project1", "-", 0, "", true},
    {"Option1", "Project1", "ｵﾌﾟｼｮﾝ(&O)...", 0, "ｺﾝﾊﾟｲﾗのﾃﾞｨﾚｸﾄﾘ設定などを行います。", true},
    {"Help1", nullptr, "ﾍﾙﾌﾟ(&H)", 0, "", true},
    {"Contents1", "Help1", "目次(&C)", 0, "ﾍﾙﾌﾟﾌｧｲﾙを開きます", true},
    {"About1", "Help1", "ﾊﾞｰｼﾞｮﾝ情報(&A)...", 0, "このｴｷｽﾊﾟｰﾄのﾊﾞｰｼﾞｮﾝ情報を表示します", true},
};
const size_t kMainMenuCount = sizeof kMainMenu / sizeof kMainMenu[0];
