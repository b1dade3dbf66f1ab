#include "help/HelpTopics.h"

#include "colorsets/ColorSetCollection.h"
#include "common/Numbers.h"
#include "params/ParamFields.h"

#include <map>

namespace wavory {

namespace {

constexpr const char* kCrLf = "\r\n";

constexpr const char* kComponentExplanation =
    "左側のチェックボックスをオン／オフすることによって成分を有効／無効にできます。";
// Component 2 (diagonal) never joins up at the image's edges.
constexpr int kSeamComponent = 2;
constexpr const char* kSeamNote =
    "上下左右つながった画像にしたい時はこの成分をオフにしてください。";

std::map<int, HelpTopic> buildTopics() {
    // The explanation's second line follows the first after CR LF; the range labels stand
    // under the first and the second illustration.
    std::map<int, HelpTopic> topics{
        {20,
         {"ランダム設定",
          std::string("パラメータをランダムに決定します。") + kCrLf +
              "最も頻繁に使用するボタンです。",
          "", HelpLevel::Basic, std::nullopt, 0, 0}}, // cmdRndSet
        {21,
         {"べき乗",
          std::string("この値を上げていくと画像がだんだんとシャープになっていき、") + kCrLf +
              " さらに上げると直線的な模様になります。",
          "", HelpLevel::Advanced, std::pair<std::string, std::string>{"べき乗 1", "べき乗 32"}, 17,
          18}}, // label べき乗 (labValue 9)
        {22,
         {"周期", "ある成分の周期を小さくすると、その成分はより細かい繰り返しパターンとなります。",
          "", HelpLevel::Basic, std::nullopt, 0, 0}}, // label 周期 (labValue 0)
        {23,
         {"振幅", "ある成分の振幅を大きくすると、その成分が画像に及ぼす影響が大きくなります。", "",
          HelpLevel::Basic, std::nullopt, 0, 0}}, // label 振幅 (labValue 1)
        {25,
         {"画像の中心", "画像を上下左右にスクロールさせるときに使います。",
          "上下左右がつながった画像にしたい時は (0,0) にして下さい。", HelpLevel::Advanced,
          std::pair<std::string, std::string>{"(0,0)", "(20,20)"}, 21, 22}}, // labCenter
        {26,
         {"にじみ",
          std::string("画像にノイズを与えてにじんだようにします。") + kCrLf +
              "様々な視覚効果が期待できます。",
          "", HelpLevel::None, std::pair<std::string, std::string>{"にじみ 0", "にじみ 256"}, 23,
          24}}, // labNizimi
        {30,
         {"周期２倍",
          std::string("すべての成分の周期を２倍します。") + kCrLf +
              "感覚的に言うと、視点を画像に近づけるような効果があります。",
          "", HelpLevel::None, std::nullopt, 13, 14}}, // cmdBig
        {31,
         {"周期半分",
          std::string("すべての成分の周期を1/2にします。") + kCrLf +
              "感覚的に言うと、視点を画像から遠ざけるような効果になります。",
          "", HelpLevel::None, std::nullopt, 15, 16}}, // cmdSmall
        {32,
         {"振幅２倍",
          std::string("すべての成分の振幅を２倍にします。") + kCrLf +
              "変化に乏しい画像により変化をつけます。",
          "", HelpLevel::None, std::nullopt, 9, 10}}, // cmdStrong
        {33,
         {"振幅半分",
          std::string("すべての成分の振幅を1/2にします。") + kCrLf +
              "変化が激しすぎる画像の変化を穏やかにします。",
          "", HelpLevel::None, std::nullopt, 11, 12}}, // cmdWeak
        {40,
         {"使用する色セット", "どの色セットを用いて描画するかを指定します。", "", HelpLevel::Basic,
          std::nullopt, 0, 0}}, // labGColor
        {41,
         {"色セットの編集", "現在選択している色セットの編集ウィンドウを開きます。", "",
          HelpLevel::None, std::nullopt, 0, 0}}, // cmdGColorEdit
        {42,
         {"色セットの追加",
          std::string("新しい色セットを作成し、編集します。") + kCrLf + "色セットは最大" +
              std::to_string(ColorSetCollection::kCapacity) + "個まで作成できます。",
          "", HelpLevel::None, std::nullopt, 0, 0}}, // cmdAddGColor
        {43,
         {"色セットの削除",
          std::string("現在選択している色セットを削除します。") + kCrLf +
              "一度削除すると元に戻せません。",
          "", HelpLevel::None, std::nullopt, 0, 0}}, // cmdRemoveGColor
        {47,
         {"位相のずれ",
          std::string("画像の色見の変更をします。") + kCrLf +
              " ０％の時と５０％の時とは正反対の色になります。",
          "", HelpLevel::None, std::pair<std::string, std::string>{"0%", "50%"}, 19, 20}}, // labISO
        {50,
         {"描画", "現在のパラメータで画像を描画します。", "", HelpLevel::Basic, std::nullopt, 0,
          0}}, // cmdDraw when no drawing runs
        {51,
         {"保存",
          std::string("描画した画像を名前を付けて保存します。") + kCrLf +
              "フォーマットはBMP形式、JPEG形式またはPNG形式です。",
          "", HelpLevel::Basic, std::nullopt, 0, 0}}, // cmdSave
        {52,
         {"サイズ指定", "作成する画像のサイズを指定します。", "", HelpLevel::Basic, std::nullopt, 0,
          0}}, // cmdSize
        {53,
         {"描画モード",
          std::string("より複雑な画像を作成するときに使用します。") + kCrLf +
              "この機能を使うには、まず「通常」で描画した後、別の形の画像を「AND」等で描画してくだ"
              "さい。",
          "", HelpLevel::Advanced, std::nullopt, 0, 0}}, // labMode
        {54,
         {"描画中止", "画像の描画を中止します。", "", HelpLevel::None, std::nullopt, 0,
          0}}, // cmdDraw while a drawing runs
        {60,
         {"色セットの名前",
          std::string("色セットにつける名前です。") + kCrLf +
              "自由に決められますが、長さは全角で12文字までです。",
          "", HelpLevel::None, std::nullopt, 0, 0}}, // frmColor fraName
        {61,
         {"色決定ポイントの数",
          std::string("「色の変化」でいくつの色を指定するかを決定します。") + kCrLf +
              "多いほど派手なグラデーションを作成できますが、通常は4～7程度で十分です。",
          "", HelpLevel::None, std::nullopt, 0, 0}}, // frmColor fraNum
        {62,
         {"段階数",
          std::string("この値が高いほど、グラデーションが滑らかになります。") + kCrLf +
              "この値を低くして描画すると、線のはっきりした幾何学的模様の画像になります。",
          "", HelpLevel::Advanced, std::pair<std::string, std::string>{"1段階", "256段階"}, 25,
          26}}, // frmColor fraLevel
        {63,
         {"色の変化",
          std::string(
              "色セット編集のメインとなる部分で、どの部分でどのような色を使うかを指定します。") +
              kCrLf + "色決定ポイント(四角)をクリックをすると色を変更できます。",
          "", HelpLevel::None, std::nullopt, 0, 0}}, // frmColor fraColorChange
        {64,
         {"色決定ポイント", "クリックすると色を変更できます。", "", HelpLevel::None, std::nullopt,
          0, 0}}, // frmColor picPoint
        {65,
         {"両端の色を一致させる",
          std::string(
              "両端の色決定ポイントの色が一致していないと、描画画像が滑らかになりません。") +
              kCrLf + "これをチェックしておけば、自動的に両端の色が同じになります。",
          "", HelpLevel::None, std::nullopt, 0, 0}}, // frmColor chkEdge
        {66,
         {"色のランダム決定", "全ての色決定ポイントの色をランダムに設定します。", "",
          HelpLevel::None, std::nullopt, 0, 0}}, // frmColor cmdRnd
        {70,
         {"枠を描く", "これがチェックされていると、枠の描画が有効になります。", "", HelpLevel::None,
          std::nullopt, 0, 0}}, // chkFrameEnabled
        {71,
         {"色", std::string("枠の色です。") + kCrLf + "クリックすると変更できます。", "",
          HelpLevel::None, std::nullopt, 0, 0}}, // picFrameColor, lblStatic 4
        {72,
         {"全体の色の濃さ",
          std::string(
              "小さければ枠がぼやけた感じになり、大きければ枠部分全体の色が濃くなります。") +
              kCrLf + "最大値の50にすると完全にベタ塗りになります。",
          "", HelpLevel::None, std::pair<std::string, std::string>{"0", "50"}, 27,
          28}}, // sldFrameSenmei, lblStatic 5
        {73,
         {"右下部分の色の暗さ",
          "この値が高いほど枠の右下の部分が暗くなり、これが影の役目をして立体的に見えます。", "",
          HelpLevel::None, std::pair<std::string, std::string>{"0", "50"}, 29,
          30}}, // sldFrameShadow, lblStatic 6
        {74,
         {"境界線の鮮明さ", "このパラメータが大きいほど枠の境界線が鮮明になります。", "",
          HelpLevel::None, std::pair<std::string, std::string>{"0", "50"}, 31,
          32}}, // sldFrameLine, lblStatic 7
        {77,
         {"枠のサイズ",
          std::string("枠の横幅・縦幅を指定します。") + kCrLf +
              "最小値は 1、最大値は画像サイズの縦幅・横幅の半分です。",
          "", HelpLevel::None, std::nullopt, 0, 0}}, // fraFrameSize
        {80,
         {"ランダム設定時の画像の傾向",
          std::string("「ランダム設定」した時に生成される周期・振幅の平均値を調整できます。") +
              kCrLf + "赤い点が現在の設定値を表します。",
          "", HelpLevel::None, std::nullopt, 0, 0}}, // picRndSet
        {81,
         {"初期値", "設定値(赤い点)を初期値(中心)に戻します。", "", HelpLevel::None, std::nullopt,
          0, 0}}, // cmdReset
        {82,
         {"ランダム設定されるパラメータ",
          "「ランダム設定」時に、各パラメータが変化するか変化しないかを指定します。", "",
          HelpLevel::None, std::nullopt, 0, 0}}, // fraDoRndSet
        {83,
         {"連携するアプリケーションのパス",
          std::string("「連携ｱﾌﾟﾘｹｰｼｮﾝで編集」で起動するアプリケーションのパスを指定します。") +
              kCrLf +
              "アプリケーションはBMPファイルのドラッグドロップに対応している必要があります。",
          "", HelpLevel::None, std::nullopt, 0, 0}}, // txtPath
        {90,
         {"描画終了後に音を鳴らす", "描画が終了した後にWindowsのBEEP音を鳴らします。", "",
          HelpLevel::None, std::nullopt, 0, 0}}, // chkDrewBeep
        {91,
         {"起動時にウェルカムダイアログを表示",
          "Wavoryの起動時に「Welcome to Wavory」のダイアログを表示します。", "", HelpLevel::None,
          std::nullopt, 0, 0}}, // chkHello
        {92,
         {"終了する前に確認ダイアログを表示", "Wavoryを終了する前に確認のダイアログを表示します。",
          "", HelpLevel::None, std::nullopt, 0, 0}}, // chkQuitQ
        {93,
         {"ランダム設定と同時に描画", "ランダム設定した後に自動的に描画するようにします。", "",
          HelpLevel::None, std::nullopt, 0, 0}}, // chkDrawOnRnd
        {94,
         {"画像保存と同時に「テキストファイルへ書き出し」を実行",
          "画像を保存する時に自動的に「テキストファイルへ書き出し」を実行するようにします。", "",
          HelpLevel::None, std::nullopt, 0, 0}}, // chkTextOnGrp
        {95,
         {"描画後メインウィンドウにフォーカスを戻す",
          std::string("描画するとフォーカスがピクチャウィンドウに移りますが、") + kCrLf +
              "これをチェックしておけば描画後メインウィンドウにフォーカスが戻ります。",
          "", HelpLevel::None, std::nullopt, 0, 0}}, // chkActiveAfterDrawing
        {96,
         {"値変更と同時に描画", "パラメータを変更すると自動的に描画するようにします。", "",
          HelpLevel::None, std::nullopt, 0, 0}}, // chkDrawOnChange
        {120,
         {"位相のずれ",
          std::string("アニメーション１周期の、最初のフレームと最後のフレームの「位相のずれ」を指定"
                      "します。") +
              kCrLf + "通常は「０％から９９％まで」で構いません。",
          "", HelpLevel::None, std::nullopt, 0, 0}}, // frmAnim lblIso, lblIsoFrom, lblIsoTo
        {121,
         {"フレーム数",
          std::string("アニメーション１周期のフレーム数を指定します。") + kCrLf +
              "フレーム数が少ないとチカチカしたアニメになり、多いほど滑らかなアニメになります。",
          "", HelpLevel::None, std::nullopt, 0, 0}}, // frmAnim lblFrame
        {125,
         {"作成", "アニメーションの各フレームの描画を開始します。", "", HelpLevel::None,
          std::nullopt, 0, 0}}, // frmAnim cmdDraw
        {126,
         {"作成中止", "アニメーションの描画を中止します。", "", HelpLevel::None, std::nullopt, 0,
          0}}, // frmAnim cmdDrawStop
        {127,
         {"プレビュー", "作成したアニメーションをプレビューするウィンドウを表示します。", "",
          HelpLevel::None, std::nullopt, 0, 0}}, // frmAnim cmdPreview
        {130,
         {"保存するフォルダ", "アニメーションのBMPファイル群を保存するフォルダを指定します｡ ", "",
          HelpLevel::None, std::nullopt, 0, 0}}, // frmAnim lblPath
        {131,
         {"ベースファイル名", "ファイル名の先頭につく文字列を指定します。", "", HelpLevel::None,
          std::nullopt, 0, 0}}, // frmAnim lblName
        {132,
         {"連番の開始数字と桁数", "ベースファイル名に続く連番の、開始番号と桁数を指定します。", "",
          HelpLevel::None, std::nullopt, 0, 0}}, // frmAnim lblNumber
        {135,
         {"保存", "作成したアニメーションをBMPファイル群として保存します。", "", HelpLevel::None,
          std::nullopt, 0, 0}}, // frmAnim cmdSave
        {136,
         {"保存中止", "保存を中断します。", "", HelpLevel::None, std::nullopt, 0,
          0}}, // frmAnim cmdSaveStop
    };
    // The component switches: their own caption and picture 1..8 of that component alone.
    for (int k = 0; k < kComponentCount; ++k) {
        HelpTopic t;
        t.title = std::string(kComponentNames[static_cast<std::size_t>(k)]);
        t.explanation = kComponentExplanation;
        if (k == kSeamComponent)
            t.redNote = kSeamNote;
        t.firstPicture = k + 1;
        topics.emplace(kFirstComponentTopic + k, std::move(t));
    }
    return topics;
}

const std::map<int, HelpTopic>& topicTable() {
    static const std::map<int, HelpTopic> table = buildTopics();
    return table;
}

} // namespace

const HelpTopic& helpTopic(int number) {
    static const HelpTopic empty;
    const auto& table = topicTable();
    const auto it = table.find(number);
    return it != table.end() ? it->second : empty;
}

std::vector<int> helpTopicNumbers() {
    std::vector<int> numbers;
    for (const auto& [number, topic] : topicTable())
        numbers.push_back(number);
    return numbers;
}

std::string levelBadgeText(HelpLevel level) {
    switch (level) {
    case HelpLevel::Basic:
        return "基本";
    case HelpLevel::Advanced:
        return "中・上級者向け機能";
    case HelpLevel::None:
        break;
    }
    return {};
}

int bannerRampChannel(int c, int b) {
    return static_cast<int>(roundHalfEven(255.0 - (255.0 - c) * b / kBannerRampLast));
}

int bannerCaptionChannel(int c) {
    return static_cast<int>(roundHalfEven(255.0 - (255.0 - c) * 0.64));
}

} // namespace wavory
