#include "help/HelpTopics.h"

#include "colorsets/ColorSetCollection.h"
#include "common/Numbers.h"
#include "params/ParamFields.h"

#include <map>

namespace wavory {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr HelpLevel kNone = HelpLevel::None;
constexpr HelpLevel kBasic = HelpLevel::Basic;
constexpr HelpLevel kAdvanced = HelpLevel::Advanced;

// One topic as the table below writes it: the explanation's two lines (the second may be
// absent), the red note, the level, the labels under the first and the second picture,
// and the two pictures.
struct TopicRow {
    int number;
    const char* title;
    const char* line1;
    const char* line2;
    const char* redNote;
    HelpLevel level;
    const char* left;
    const char* right;
    int firstPicture;
    int secondPicture;
};

// clang-format off
constexpr TopicRow kTopicRows[] = {
    {20, "ランダム設定", "パラメータをランダムに決定します。", "最も頻繁に使用するボタンです。", nullptr, kBasic, nullptr, nullptr, 0, 0},
    {21, "べき乗", "この値を上げていくと画像がだんだんとシャープになっていき、", " さらに上げると直線的な模様になります。", nullptr, kAdvanced, "べき乗 1", "べき乗 32", 17, 18},
    {22, "周期", "ある成分の周期を小さくすると、その成分はより細かい繰り返しパターンとなります。", nullptr, nullptr, kBasic, nullptr, nullptr, 0, 0},
    {23, "振幅", "ある成分の振幅を大きくすると、その成分が画像に及ぼす影響が大きくなります。", nullptr, nullptr, kBasic, nullptr, nullptr, 0, 0},
    {25, "画像の中心", "画像を上下左右にスクロールさせるときに使います。", nullptr, "上下左右がつながった画像にしたい時は (0,0) にして下さい。", kAdvanced, "(0,0)", "(20,20)", 21, 22},
    {26, "にじみ", "画像にノイズを与えてにじんだようにします。", "様々な視覚効果が期待できます。", nullptr, kNone, "にじみ 0", "にじみ 256", 23, 24},
    {30, "周期２倍", "すべての成分の周期を２倍します。", "感覚的に言うと、視点を画像に近づけるような効果があります。", nullptr, kNone, nullptr, nullptr, 13, 14},
    {31, "周期半分", "すべての成分の周期を1/2にします。", "感覚的に言うと、視点を画像から遠ざけるような効果になります。", nullptr, kNone, nullptr, nullptr, 15, 16},
    {32, "振幅２倍", "すべての成分の振幅を２倍にします。", "変化に乏しい画像により変化をつけます。", nullptr, kNone, nullptr, nullptr, 9, 10},
    {33, "振幅半分", "すべての成分の振幅を1/2にします。", "変化が激しすぎる画像の変化を穏やかにします。", nullptr, kNone, nullptr, nullptr, 11, 12},
    {40, "使用する色セット", "どの色セットを用いて描画するかを指定します。", nullptr, nullptr, kBasic, nullptr, nullptr, 0, 0},
    {41, "色セットの編集", "現在選択している色セットの編集ウィンドウを開きます。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {42, "色セットの追加", "新しい色セットを作成し、編集します。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {43, "色セットの削除", "現在選択している色セットを削除します。", "一度削除すると元に戻せません。", nullptr, kNone, nullptr, nullptr, 0, 0},
    {47, "位相のずれ", "画像の色見の変更をします。", " ０％の時と５０％の時とは正反対の色になります。", nullptr, kNone, "0%", "50%", 19, 20},
    {50, "描画", "現在のパラメータで画像を描画します。", nullptr, nullptr, kBasic, nullptr, nullptr, 0, 0},
    {51, "保存", "描画した画像を名前を付けて保存します。", "フォーマットはBMP形式、JPEG形式またはPNG形式です。", nullptr, kBasic, nullptr, nullptr, 0, 0},
    {52, "サイズ指定", "作成する画像のサイズを指定します。", nullptr, nullptr, kBasic, nullptr, nullptr, 0, 0},
    {53, "描画モード", "より複雑な画像を作成するときに使用します。", "この機能を使うには、まず「通常」で描画した後、別の形の画像を「AND」等で描画してください。", nullptr, kAdvanced, nullptr, nullptr, 0, 0},
    {54, "描画中止", "画像の描画を中止します。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {60, "色セットの名前", "色セットにつける名前です。", "自由に決められますが、長さは全角で12文字までです。", nullptr, kNone, nullptr, nullptr, 0, 0},
    {61, "色決定ポイントの数", "「色の変化」でいくつの色を指定するかを決定します。", "多いほど派手なグラデーションを作成できますが、通常は4～7程度で十分です。", nullptr, kNone, nullptr, nullptr, 0, 0},
    {62, "段階数", "この値が高いほど、グラデーションが滑らかになります。", "この値を低くして描画すると、線のはっきりした幾何学的模様の画像になります。", nullptr, kAdvanced, "1段階", "256段階", 25, 26},
    {63, "色の変化", "色セット編集のメインとなる部分で、どの部分でどのような色を使うかを指定します。", "色決定ポイント(四角)をクリックをすると色を変更できます。", nullptr, kNone, nullptr, nullptr, 0, 0},
    {64, "色決定ポイント", "クリックすると色を変更できます。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {65, "両端の色を一致させる", "両端の色決定ポイントの色が一致していないと、描画画像が滑らかになりません。", "これをチェックしておけば、自動的に両端の色が同じになります。", nullptr, kNone, nullptr, nullptr, 0, 0},
    {66, "色のランダム決定", "全ての色決定ポイントの色をランダムに設定します。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {70, "枠を描く", "これがチェックされていると、枠の描画が有効になります。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {71, "色", "枠の色です。", "クリックすると変更できます。", nullptr, kNone, nullptr, nullptr, 0, 0},
    {72, "全体の色の濃さ", "小さければ枠がぼやけた感じになり、大きければ枠部分全体の色が濃くなります。", "最大値の50にすると完全にベタ塗りになります。", nullptr, kNone, "0", "50", 27, 28},
    {73, "右下部分の色の暗さ", "この値が高いほど枠の右下の部分が暗くなり、これが影の役目をして立体的に見えます。", nullptr, nullptr, kNone, "0", "50", 29, 30},
    {74, "境界線の鮮明さ", "このパラメータが大きいほど枠の境界線が鮮明になります。", nullptr, nullptr, kNone, "0", "50", 31, 32},
    {77, "枠のサイズ", "枠の横幅・縦幅を指定します。", "最小値は 1、最大値は画像サイズの縦幅・横幅の半分です。", nullptr, kNone, nullptr, nullptr, 0, 0},
    {80, "ランダム設定時の画像の傾向", "「ランダム設定」した時に生成される周期・振幅の平均値を調整できます。", "赤い点が現在の設定値を表します。", nullptr, kNone, nullptr, nullptr, 0, 0},
    {81, "初期値", "設定値(赤い点)を初期値(中心)に戻します。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {82, "ランダム設定されるパラメータ", "「ランダム設定」時に、各パラメータが変化するか変化しないかを指定します。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {83, "連携するアプリケーションのパス", "「連携ｱﾌﾟﾘｹｰｼｮﾝで編集」で起動するアプリケーションのパスを指定します。", "アプリケーションはBMPファイルのドラッグドロップに対応している必要があります。", nullptr, kNone, nullptr, nullptr, 0, 0},
    {90, "描画終了後に音を鳴らす", "描画が終了した後にWindowsのBEEP音を鳴らします。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {91, "起動時にウェルカムダイアログを表示", "Wavoryの起動時に「Welcome to Wavory」のダイアログを表示します。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {92, "終了する前に確認ダイアログを表示", "Wavoryを終了する前に確認のダイアログを表示します。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {93, "ランダム設定と同時に描画", "ランダム設定した後に自動的に描画するようにします。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {94, "画像保存と同時に「テキストファイルへ書き出し」を実行", "画像を保存する時に自動的に「テキストファイルへ書き出し」を実行するようにします。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {95, "描画後メインウィンドウにフォーカスを戻す", "描画するとフォーカスがピクチャウィンドウに移りますが、", "これをチェックしておけば描画後メインウィンドウにフォーカスが戻ります。", nullptr, kNone, nullptr, nullptr, 0, 0},
    {96, "値変更と同時に描画", "パラメータを変更すると自動的に描画するようにします。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {120, "位相のずれ", "アニメーション１周期の、最初のフレームと最後のフレームの「位相のずれ」を指定します。", "通常は「０％から９９％まで」で構いません。", nullptr, kNone, nullptr, nullptr, 0, 0},
    {121, "フレーム数", "アニメーション１周期のフレーム数を指定します。", "フレーム数が少ないとチカチカしたアニメになり、多いほど滑らかなアニメになります。", nullptr, kNone, nullptr, nullptr, 0, 0},
    {125, "作成", "アニメーションの各フレームの描画を開始します。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {126, "作成中止", "アニメーションの描画を中止します。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {127, "プレビュー", "作成したアニメーションをプレビューするウィンドウを表示します。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {130, "保存するフォルダ", "アニメーションのBMPファイル群を保存するフォルダを指定します｡ ", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {131, "ベースファイル名", "ファイル名の先頭につく文字列を指定します。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {132, "連番の開始数字と桁数", "ベースファイル名に続く連番の、開始番号と桁数を指定します。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {135, "保存", "作成したアニメーションをBMPファイル群として保存します。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
    {136, "保存中止", "保存を中断します。", nullptr, nullptr, kNone, nullptr, nullptr, 0, 0},
};
// clang-format on

// Topic 42 names the collection's capacity in its second line.
constexpr int kAddColorSetTopic = 42;

constexpr const char* kComponentExplanation =
    "左側のチェックボックスをオン／オフすることによって成分を有効／無効にできます。";
// Component 2 (diagonal) never joins up at the image's edges.
constexpr int kSeamComponent = 2;
constexpr const char* kSeamNote =
    "上下左右つながった画像にしたい時はこの成分をオフにしてください。";

HelpTopic fromRow(const TopicRow& row) {
    HelpTopic t;
    t.title = row.title;
    t.explanation = row.line1;
    if (row.line2) {
        t.explanation += kCrLf;
        t.explanation += row.line2;
    }
    if (row.redNote)
        t.redNote = row.redNote;
    t.level = row.level;
    if (row.left && row.right)
        t.range = std::pair<std::string, std::string>{row.left, row.right};
    t.firstPicture = row.firstPicture;
    t.secondPicture = row.secondPicture;
    return t;
}

std::map<int, HelpTopic> buildTopics() {
    std::map<int, HelpTopic> topics;
    for (const TopicRow& row : kTopicRows)
        topics.emplace(row.number, fromRow(row));
    topics[kAddColorSetTopic].explanation += std::string(kCrLf) + "色セットは最大" +
                                             std::to_string(ColorSetCollection::kCapacity) +
                                             "個まで作成できます。";
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
