<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>ConsoleTray</name>
    <message>
        <source>Quit</source>
        <translation>結束</translation>
    </message>
    <message>
        <source>Show window</source>
        <translation>顯示視窗</translation>
    </message>
</context>
<context>
    <name>KeyboardLink</name>
    <message>
        <source>Keyboard connected</source>
        <translation>鍵盤已連接</translation>
    </message>
    <message>
        <source>No keyboard connected</source>
        <translation>未連接鍵盤</translation>
    </message>
    <message>
        <source>Virtual keyboard</source>
        <translation>虛擬鍵盤</translation>
    </message>
</context>
<context>
    <name>LumoProject</name>
    <message>
        <source>APPLY</source>
        <translation>套用</translation>
    </message>
    <message>
        <source>ASSIGN</source>
        <translation>指定</translation>
    </message>
    <message>
        <source>Waiting for a key: press it now</source>
        <translation>等待按鍵：請按下要指定的鍵</translation>
    </message>
    <message>
        <source>ASSIGN MACRO</source>
        <translation>指定巨集</translation>
    </message>
    <message>
        <source>CURRENT</source>
        <translation>目前設定</translation>
    </message>
    <message>
        <source>CUSTOMIZE</source>
        <translation>單鍵設定</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>Customer Service</source>
        <translation>全球客服中心</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>預設</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>匯出</translation>
    </message>
    <message>
        <source>INSTANT SHIFT SYS.</source>
        <translation>閃移系統</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>匯入</translation>
    </message>
    <message>
        <source>KEY ASSIGNMENT</source>
        <translation>按鍵指定</translation>
    </message>
    <message>
        <source>KEYBOARD</source>
        <translation>鍵盤</translation>
    </message>
    <message>
        <source>LIGHTING</source>
        <translation>背光設定</translation>
    </message>
    <message>
        <source>MACRO RESET</source>
        <translation>巨集重設</translation>
    </message>
    <message>
        <source>MACROS</source>
        <translation>巨集設定</translation>
    </message>
    <message>
        <source>Macro Key</source>
        <translation>巨集按鍵</translation>
    </message>
    <message>
        <source>Multiple Times</source>
        <translation>多次</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>Once</source>
        <translation>一次</translation>
    </message>
    <message>
        <source>PROFILE 1</source>
        <translation>設定檔 1</translation>
    </message>
    <message>
        <source>PROFILE 2</source>
        <translation>設定檔 2</translation>
    </message>
    <message>
        <source>PROFILE 3</source>
        <translation>設定檔 3</translation>
    </message>
    <message>
        <source>PROFILE 4</source>
        <translation>設定檔 4</translation>
    </message>
    <message>
        <source>PROFILE 5</source>
        <translation>設定檔 5</translation>
    </message>
    <message>
        <source>PROFILE NAME</source>
        <translation>設定檔名稱</translation>
    </message>
    <message>
        <source>Product Information</source>
        <translation>產品資訊</translation>
    </message>
    <message>
        <source>REPATE OPTION</source>
        <translation>選擇模式</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>回復至原廠設定</translation>
    </message>
    <message>
        <source>SELECT PROFILE</source>
        <translation>選擇設定檔</translation>
    </message>
    <message>
        <source>SHORTCUT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SINGLE RESET</source>
        <translation>單鍵重設</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Single Key</source>
        <translation>單一按鍵</translation>
    </message>
    <message>
        <source>Until Pressed Next Time</source>
        <translation>直到下一次按下停止</translation>
    </message>
    <message>
        <source>When Perss &amp; Hold</source>
        <translation>直到放開後停止</translation>
    </message>
    <message>
        <source>Sent to %1</source>
        <translation>已傳送至 %1</translation>
    </message>
    <message>
        <source>the keyboard</source>
        <translation>鍵盤</translation>
    </message>
    <message>
        <source>Saved; the keyboard is not connected</source>
        <translation>已儲存；鍵盤未連接</translation>
    </message>
    <message>
        <source>Not sent to %1: the keyboard did not respond. Your settings are saved.</source>
        <translation>未能傳送至 %1：鍵盤沒有回應。您的設定已儲存。</translation>
    </message>
    <message>
        <source>USE THE KEYBOARD</source>
        <translation>使用實體鍵盤</translation>
    </message>
    <message>
        <source>Not saved: %1 (%2). It keeps its earlier content.</source>
        <translation>未儲存：%1（%2）。檔案保留先前的內容。</translation>
    </message>
    <message>
        <source>%1 of your changes did not reach the keyboard in time. They are saved and sent to the keyboard when the console starts next.</source>
        <translation>有 %1 項變更未能及時送到鍵盤。這些變更已儲存，將於主控台下次啟動時送到鍵盤。</translation>
    </message>
    <message>
        <source>profile %1</source>
        <translation>設定檔 %1</translation>
    </message>
    <message>
        <source>The factory reset could not save %1 (%2). These keep their earlier settings, on the keyboard too.</source>
        <translation>恢復原廠設定無法儲存 %1（%2）。這些項目保留先前的設定，鍵盤上也是如此。</translation>
    </message>
    <message>
        <source>PROFILE %1</source>
        <translation>設定檔 %1</translation>
    </message>
    <message>
        <source>Updating the keyboard: %1 of %2</source>
        <translation>正在更新鍵盤：第 %1 個，共 %2 個</translation>
    </message>
    <message>
        <source>The keyboard is up to date</source>
        <translation>鍵盤已是最新狀態</translation>
    </message>
    <message>
        <source>The keyboard went away during its update: %1 profiles follow when it is back</source>
        <translation>鍵盤在更新時中斷連接：重新連接後將傳送其餘 %1 個設定檔</translation>
    </message>
    <message>
        <source>%1 has no complete stored lighting: the keyboard keeps its lighting</source>
        <translation>%1 沒有完整的已儲存燈效：鍵盤保留目前的燈效</translation>
    </message>
    <message>
        <source>%1 was made without %2: only folders and regular files are copied</source>
        <translation>已建立 %1，但未包含 %2：只會複製資料夾與一般檔案</translation>
    </message>
    <message>
        <source>Not read, defaults used instead: %1 (only regular files of a usual size are read)</source>
        <translation>未讀取，改用預設值：%1（只讀取大小正常的一般檔案）</translation>
    </message>
    <message>
        <source>No room for another profile: at most %1 are kept</source>
        <translation>無法再新增設定檔：最多保留 %1 個</translation>
    </message>
    <message>
        <source>%1 is a built-in profile and cannot be deleted</source>
        <translation>%1 是內建設定檔，不能刪除</translation>
    </message>
    <message>
        <source>Could not delete %1: a file in it could not be removed</source>
        <translation>無法刪除 %1：其中的檔案無法移除</translation>
    </message>
    <message>
        <source>No more copies of %1: every copy name is taken</source>
        <translation>無法再複製 %1：所有複本名稱都已使用</translation>
    </message>
    <message>
        <source>A profile name cannot be empty</source>
        <translation>設定檔名稱不能為空</translation>
    </message>
    <message>
        <source>A profile name cannot contain * | \ : " &lt; &gt; ? / or ..</source>
        <translation>設定檔名稱不能包含 * | \ : " &lt; &gt; ? / 或 ..</translation>
    </message>
    <message>
        <source>A profile name cannot begin or end with a space</source>
        <translation>設定檔名稱的開頭或結尾不能是空格</translation>
    </message>
    <message>
        <source>A macro named %1 already exists</source>
        <translation>已有名為 %1 的巨集</translation>
    </message>
    <message>
        <source>A profile named %1 already exists</source>
        <translation>已有名為 %1 的設定檔</translation>
    </message>
    <message>
        <source>%1 is the name of a built-in profile</source>
        <translation>%1 是內建設定檔的名稱</translation>
    </message>
    <message>
        <source>%1 is a built-in profile and cannot be renamed</source>
        <translation>%1 是內建設定檔，不能重新命名</translation>
    </message>
    <message>
        <source>Could not rename %1 to %2; it keeps its name</source>
        <translation>無法將 %1 重新命名為 %2；保留原名稱</translation>
    </message>
    <message>
        <source>Profile names are at most %1 characters: renamed to %2</source>
        <translation>設定檔名稱最多 %1 個字元：已重新命名為 %2</translation>
    </message>
    <message>
        <source>%1 is not a profile export: nothing was imported</source>
        <translation>%1 不是匯出的設定檔：未匯入任何內容</translation>
    </message>
    <message>
        <source>%1 does not give a usable profile name: nothing was imported</source>
        <translation>%1 無法作為設定檔名稱：未匯入任何內容</translation>
    </message>
    <message>
        <source>%1 cannot be renamed to "%2": the name is empty, taken or not allowed</source>
        <translation>%1 無法重新命名為「%2」：名稱為空、已使用或不允許</translation>
    </message>
    <message>
        <source>No room for another macro: every number is taken</source>
        <translation>無法再新增巨集：所有編號都已使用</translation>
    </message>
    <message>
        <source>No room for another macro: at most %1 are kept</source>
        <translation>無法再新增巨集：最多保留 %1 個</translation>
    </message>
    <message>
        <source>Could not delete %1; it stays in the list</source>
        <translation>無法刪除 %1；它仍在清單中</translation>
    </message>
    <message>
        <source>Could not export %1 to %2</source>
        <translation>無法將 %1 匯出到 %2</translation>
    </message>
    <message>
        <source>No web browser could be started: the page is %1</source>
        <translation>無法啟動網頁瀏覽器：網址是 %1</translation>
    </message>
    <message>
        <source>The update installer was started</source>
        <translation>已啟動更新安裝程式</translation>
    </message>
    <message>
        <source>No update installer on this platform: checking for a newer version</source>
        <translation>此平台沒有更新安裝程式：正在檢查新版本</translation>
    </message>
    <message>
        <source>This console is up to date (version %1)</source>
        <translation>此軟體已是最新版本（版本 %1）</translation>
    </message>
    <message>
        <source>Version %1 is available at %2</source>
        <translation>版本 %1 可於 %2 取得</translation>
    </message>
    <message>
        <source>The update check failed: %1</source>
        <translation>檢查更新失敗：%1</translation>
    </message>
    <message>
        <source>the update service gave no version</source>
        <translation>更新服務未提供版本</translation>
    </message>
    <message>
        <source>UNDO</source>
        <translation>復原</translation>
    </message>
    <message>
        <source>Undo factory reset</source>
        <translation>復原原廠重設</translation>
    </message>
    <message>
        <source>Undo delete %1</source>
        <translation>復原刪除 %1</translation>
    </message>
    <message>
        <source>Nothing was changed: the files could not be kept for Undo (%1)</source>
        <translation>未做任何變更：無法保留供復原的檔案（%1）</translation>
    </message>
    <message>
        <source>Factory settings restored. UNDO brings yours back</source>
        <translation>已恢復原廠設定。按「復原」可取回您的設定</translation>
    </message>
    <message>
        <source>%1 deleted. UNDO brings it back</source>
        <translation>已刪除 %1。按「復原」可取回</translation>
    </message>
    <message>
        <source>Nothing to undo</source>
        <translation>沒有可復原的操作</translation>
    </message>
    <message>
        <source>Undo failed: %1 (%2)</source>
        <translation>復原失敗：%1（%2）</translation>
    </message>
    <message>
        <source>Undone: %1</source>
        <translation>已復原：%1</translation>
    </message>
    <message>
        <source>factory reset</source>
        <translation>原廠重設</translation>
    </message>
    <message>
        <source>TRY THE VIRTUAL KEYBOARD</source>
        <translation>試用虛擬鍵盤</translation>
    </message>
    <message>
        <source>The console keeps running here. Quit it from this icon's menu or with the Close button of its window.</source>
        <translation>控制台仍在此執行。請從此圖示的選單或視窗的關閉按鈕結束它。</translation>
    </message>
    <message>
        <source>LOAD</source>
        <translation>載入</translation>
    </message>
    <message>
        <source>PROFILE %1: %2</source>
        <translation>PROFILE %1：%2</translation>
    </message>
    <message>
        <source>red %1, green %2, blue %3</source>
        <translation>紅 %1、綠 %2、藍 %3</translation>
    </message>
    <message>
        <source>Switches the keyboard to on-board profile %1 (%2)</source>
        <translation>將鍵盤切換到板載設定檔 %1（%2）</translation>
    </message>
    <message>
        <source>Factory reset</source>
        <translation>回復原廠設定</translation>
    </message>
    <message>
        <source>Restores the factory settings of all five on-board profiles</source>
        <translation>將五個板載設定檔全部回復為原廠設定</translation>
    </message>
    <message>
        <source>Opens the web page in your browser</source>
        <translation>在瀏覽器中開啟網頁</translation>
    </message>
    <message>
        <source>Ends the console</source>
        <translation>結束控制程式</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>狀態</translation>
    </message>
    <message>
        <source>Choosing a saved profile links it to the active on-board profile</source>
        <translation>選擇的設定檔會連結到目前的板載設定檔</translation>
    </message>
    <message>
        <source>New profile</source>
        <translation>新增設定檔</translation>
    </message>
    <message>
        <source>Delete the selected profile</source>
        <translation>刪除所選的設定檔</translation>
    </message>
    <message>
        <source>Copy the selected profile</source>
        <translation>複製所選的設定檔</translation>
    </message>
    <message>
        <source>Import a profile from a file</source>
        <translation>從檔案匯入設定檔</translation>
    </message>
    <message>
        <source>Export the selected profile to a file</source>
        <translation>將所選的設定檔匯出成檔案</translation>
    </message>
    <message>
        <source>Type a new name and press Enter to rename the profile</source>
        <translation>輸入新名稱後按 Enter 即可重新命名設定檔</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>連結</translation>
    </message>
    <message>
        <source>What the selected key does</source>
        <translation>所選按鍵的功能</translation>
    </message>
    <message>
        <source>Repeat option</source>
        <translation>重複選項</translation>
    </message>
    <message>
        <source>Repeat count</source>
        <translation>重複次數</translation>
    </message>
    <message>
        <source>1 to 50 times</source>
        <translation>1 至 50 次</translation>
    </message>
    <message>
        <source>Press Enter, then the key the selected key should send; Escape cancels</source>
        <translation>按 Enter，再按下所選按鍵要送出的按鍵；按 Escape 取消</translation>
    </message>
    <message>
        <source>Instant shift target profile</source>
        <translation>即時切換的目標設定檔</translation>
    </message>
    <message>
        <source>Left Shift</source>
        <translation>左 Shift</translation>
    </message>
    <message>
        <source>Left Ctrl</source>
        <translation>左 Ctrl</translation>
    </message>
    <message>
        <source>Left Alt</source>
        <translation>左 Alt</translation>
    </message>
    <message>
        <source>While held, %1 switches to the chosen profile</source>
        <translation>按住 %1 時切換到所選的設定檔</translation>
    </message>
    <message>
        <source>Stores the assignment and sends it to the keyboard</source>
        <translation>儲存指定並傳送到鍵盤</translation>
    </message>
    <message>
        <source>Keyboard picture</source>
        <translation>鍵盤圖</translation>
    </message>
    <message>
        <source>Arrow keys move over the keys; Space selects the key</source>
        <translation>方向鍵在按鍵間移動；空白鍵選擇按鍵</translation>
    </message>
</context>
<context>
    <name>LumoProjectClass</name>
    <message>
        <source>LumoProject</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORVANTA RGB</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>keyboard_light_view</name>
    <message>
        <source>ADD</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>ADD STOP</source>
        <translation>新增色標</translation>
    </message>
    <message>
        <source>APPLY</source>
        <translation>套用</translation>
    </message>
    <message>
        <source>Arrow Flow</source>
        <translation>極光</translation>
    </message>
    <message>
        <source>COLOR CODE :</source>
        <translation>色碼 :</translation>
    </message>
    <message>
        <source>CUSTOMIZED</source>
        <translation>自訂</translation>
    </message>
    <message>
        <source>DEL</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>DEL STOP</source>
        <translation>刪除色標</translation>
    </message>
    <message>
        <source>EFFECT</source>
        <translation>燈效</translation>
    </message>
    <message>
        <source>EFFECT ROLLING</source>
        <translation>燈效流動</translation>
    </message>
    <message>
        <source>FAST</source>
        <translation>快</translation>
    </message>
    <message>
        <source>FLOW DIRECTION</source>
        <translation>流動方向</translation>
    </message>
    <message>
        <source>FULL</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>LED RESET</source>
        <translation>燈光重設</translation>
    </message>
    <message>
        <source>LEFT</source>
        <translation>向左</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>否</translation>
    </message>
    <message>
        <source>PATTERN</source>
        <translation>色彩</translation>
    </message>
    <message>
        <source>PULSE</source>
        <translation>呼吸</translation>
    </message>
    <message>
        <source>RIGHT</source>
        <translation>向右</translation>
    </message>
    <message>
        <source>Reactive</source>
        <translation>單點亮</translation>
    </message>
    <message>
        <source>Ripple</source>
        <translation>漣漪</translation>
    </message>
    <message>
        <source>SLOW</source>
        <translation>慢</translation>
    </message>
    <message>
        <source>SPECTRUM CYCLING</source>
        <translation>光譜循環</translation>
    </message>
    <message>
        <source>SPEED</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>STATIC</source>
        <translation>恆亮</translation>
    </message>
    <message>
        <source>STOPS CONTROL</source>
        <translation>色標控制</translation>
    </message>
    <message>
        <source>SURFACE</source>
        <translation>底色</translation>
    </message>
    <message>
        <source>Static</source>
        <translation>恆亮</translation>
    </message>
    <message>
        <source>Wave</source>
        <translation>波浪</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>是</translation>
    </message>
    <message>
        <source>ZONES</source>
        <translation>區域</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>From slow to fast</source>
        <translation>由慢到快</translation>
    </message>
    <message>
        <source>Wave speed</source>
        <translation>波浪速度</translation>
    </message>
    <message>
        <source>Add pattern</source>
        <translation>新增樣式</translation>
    </message>
    <message>
        <source>Delete pattern</source>
        <translation>刪除樣式</translation>
    </message>
    <message>
        <source>Lights every other key in the surface colour</source>
        <translation>其餘按鍵以底色點亮</translation>
    </message>
    <message>
        <source>Surface colour</source>
        <translation>底色顏色</translation>
    </message>
    <message>
        <source>Chosen, it takes the next colour picked</source>
        <translation>選取後套用下一個選取的顏色</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>紅</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>綠</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>藍</translation>
    </message>
    <message>
        <source>0 to 255; Enter picks the colour</source>
        <translation>0 至 255；按 Enter 選取顏色</translation>
    </message>
    <message>
        <source>Colour code</source>
        <translation>色碼</translation>
    </message>
    <message>
        <source>Six hexadecimal digits; Enter picks the colour</source>
        <translation>六位十六進位數字；按 Enter 選取顏色</translation>
    </message>
    <message>
        <source>Sends the lighting to the keyboard</source>
        <translation>將燈光效果傳送到鍵盤</translation>
    </message>
    <message>
        <source>Arrow keys move over the keys, Shift+arrows mark keys; Space paints them with CUSTOMIZED on</source>
        <translation>方向鍵在按鍵間移動，Shift+方向鍵標記按鍵；開啟自訂時以空白鍵上色</translation>
    </message>
    <message>
        <source>Left and Right choose a stop; the colour fields then set it</source>
        <translation>左右方向鍵選擇色彩節點，再以色彩欄位設定其顏色</translation>
    </message>
    <message>
        <source>stop %1</source>
        <translation>節點 %1</translation>
    </message>
</context>
<context>
    <name>micro_view</name>
    <message>
        <source>   Key</source>
        <translation>   按鍵</translation>
    </message>
    <message>
        <source>AFTER</source>
        <translation>之後</translation>
    </message>
    <message>
        <source>BEFORE</source>
        <translation>之前</translation>
    </message>
    <message>
        <source>COPY</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>DEFAULT DELAY TIME</source>
        <translation>預設延遲時間</translation>
    </message>
    <message>
        <source>DELAY TIME AUTO-DETCTING</source>
        <translation>自動偵測延遲時間</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>Delay Time</source>
        <translation>延遲時間</translation>
    </message>
    <message>
        <source>EDIT</source>
        <translation>編輯</translation>
    </message>
    <message>
        <source>EXPORT</source>
        <translation>匯出</translation>
    </message>
    <message>
        <source>IMPORT</source>
        <translation>匯入</translation>
    </message>
    <message>
        <source>INSERT</source>
        <translation>插入</translation>
    </message>
    <message>
        <source>MACRO NAME</source>
        <translation>巨集名稱</translation>
    </message>
    <message>
        <source>MS</source>
        <translation>毫秒</translation>
    </message>
    <message>
        <source>NEW</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>NO DELAY TIME</source>
        <translation>無延遲時間</translation>
    </message>
    <message>
        <source>RECORD</source>
        <translation>錄製</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>重新命名</translation>
    </message>
    <message>
        <source>SELECT MACRO</source>
        <translation>選擇巨集</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Up / Down</source>
        <translation>按下 / 放開</translation>
    </message>
    <message>
        <source>Enter renames the macro</source>
        <translation>按 Enter 重新命名巨集</translation>
    </message>
    <message>
        <source>Deletes the selected macro</source>
        <translation>刪除所選的巨集</translation>
    </message>
    <message>
        <source>Deletes the selected event</source>
        <translation>刪除所選的事件</translation>
    </message>
    <message>
        <source>Macro events</source>
        <translation>巨集事件</translation>
    </message>
    <message>
        <source>Default delay time in ms</source>
        <translation>預設延遲時間（毫秒）</translation>
    </message>
</context>
<context>
    <name>setting_view</name>
    <message>
        <source>CHECK FOR UPDATES</source>
        <translation>檢查更新</translation>
    </message>
    <message>
        <source>LANGUAGE</source>
        <translation>語言</translation>
    </message>
    <message>
        <source>OFFICIAL WEBSITE / SOCIAL MEDIA</source>
        <translation>官方網站 / 社群媒體</translation>
    </message>
    <message>
        <source>SOFTWARE VERSION : </source>
        <translation>軟體版本</translation>
    </message>
    <message>
        <source>VIRTUAL KEYBOARD</source>
        <translation>虛擬鍵盤</translation>
    </message>
    <message>
        <source>Official website</source>
        <translation>官方網站</translation>
    </message>
    <message>
        <source>Community</source>
        <translation>社群</translation>
    </message>
    <message>
        <source>Opens the web page in your browser</source>
        <translation>在瀏覽器中開啟網頁</translation>
    </message>
    <message>
        <source>The window switches at once</source>
        <translation>視窗會立即切換</translation>
    </message>
</context>
<context>
    <name>VirtualKeyboard</name>
    <message>
        <source>The console sends to the virtual keyboard instead of the USB keyboard</source>
        <translation>主控台改為傳送到虛擬鍵盤，而不是 USB 鍵盤</translation>
    </message>
    <message>
        <source>Virtual keyboard picture</source>
        <translation>虛擬鍵盤圖</translation>
    </message>
    <message>
        <source>Reports received</source>
        <translation>收到的報告</translation>
    </message>
    <message>
        <source>%1 down</source>
        <translation>%1 按下</translation>
    </message>
    <message>
        <source>%1 reports could not be decoded; the latest: %2</source>
        <translation>%1 個報告無法解讀；最新一個：%2</translation>
    </message>
    <message>
        <source>%1 times</source>
        <translation>%1 次</translation>
    </message>
    <message>
        <source>%1 up</source>
        <translation>%1 放開</translation>
    </message>
    <message>
        <source>Arrow Flow, %1, rolling %2</source>
        <translation>極光，%1，燈效流動 %2</translation>
    </message>
    <message>
        <source>Cannot keep the virtual keyboard's memory: %1</source>
        <translation>無法保存虛擬鍵盤的記憶：%1</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>預設</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>已停用</translation>
    </message>
    <message>
        <source>Macro</source>
        <translation>巨集</translation>
    </message>
    <message>
        <source>Macro key without a macro</source>
        <translation>巨集按鍵（沒有巨集）</translation>
    </message>
    <message>
        <source>Macro, %1</source>
        <translation>巨集，%1</translation>
    </message>
    <message>
        <source>No lighting received</source>
        <translation>尚未收到燈效</translation>
    </message>
    <message>
        <source>ON-BOARD PROFILE %1</source>
        <translation>板載設定檔 %1</translation>
    </message>
    <message>
        <source>ORVANTA RGB virtual keyboard</source>
        <translation>ORVANTA RGB 虛擬鍵盤</translation>
    </message>
    <message>
        <source>Once</source>
        <translation>一次</translation>
    </message>
    <message>
        <source>Profile %1 shift</source>
        <translation>切換到設定檔 %1</translation>
    </message>
    <message>
        <source>Reactive</source>
        <translation>單點亮</translation>
    </message>
    <message>
        <source>Repeat %1 %2</source>
        <translation>重複 %1 %2</translation>
    </message>
    <message>
        <source>Ripple, rolling %1</source>
        <translation>漣漪，燈效流動 %1</translation>
    </message>
    <message>
        <source>Sends %1</source>
        <translation>送出 %1</translation>
    </message>
    <message>
        <source>Static</source>
        <translation>恆亮</translation>
    </message>
    <message>
        <source>Static, pulse (speed %1)</source>
        <translation>恆亮，呼吸（速度 %1）</translation>
    </message>
    <message>
        <source>Static, spectrum cycling</source>
        <translation>恆亮，光譜循環</translation>
    </message>
    <message>
        <source>The console is using the USB keyboard.</source>
        <translation>主控台正在使用 USB 鍵盤。</translation>
    </message>
    <message>
        <source>USE VIRTUAL KEYBOARD</source>
        <translation>使用虛擬鍵盤</translation>
    </message>
    <message>
        <source>Until pressed again</source>
        <translation>直到再次按下</translation>
    </message>
    <message>
        <source>Wave, %1, speed %2</source>
        <translation>波浪，%1，速度 %2</translation>
    </message>
    <message>
        <source>While held</source>
        <translation>按住時</translation>
    </message>
    <message>
        <source>both ways</source>
        <translation>雙向</translation>
    </message>
    <message>
        <source>left</source>
        <translation>向左</translation>
    </message>
    <message>
        <source>off</source>
        <translation>否</translation>
    </message>
    <message>
        <source>on</source>
        <translation>是</translation>
    </message>
    <message>
        <source>right</source>
        <translation>向右</translation>
    </message>
    <message>
        <source>wait %1 ms</source>
        <translation>等待 %1 毫秒</translation>
    </message>
    <message>
        <source>profile %1: selected</source>
        <translation>設定檔 %1：已選用</translation>
    </message>
    <message>
        <source>profile %1: lighting applied</source>
        <translation>設定檔 %1：燈效已套用</translation>
    </message>
    <message>
        <source>profile %1: lighting mode</source>
        <translation>設定檔 %1：燈效模式</translation>
    </message>
    <message>
        <source>light pulse %1</source>
        <translation>燈光脈衝 %1</translation>
    </message>
    <message>
        <source>profile %1: factory defaults</source>
        <translation>設定檔 %1：原廠設定</translation>
    </message>
    <message>
        <source>profile %1: Static key colours</source>
        <translation>設定檔 %1：恆亮按鍵顏色</translation>
    </message>
    <message>
        <source>profile %1: Reactive key colours</source>
        <translation>設定檔 %1：單點亮按鍵顏色</translation>
    </message>
    <message>
        <source>profile %1: Ripple edge colours</source>
        <translation>設定檔 %1：漣漪邊緣顏色</translation>
    </message>
    <message>
        <source>profile %1: surface colour</source>
        <translation>設定檔 %1：底色</translation>
    </message>
    <message>
        <source>profile %1: zone colours</source>
        <translation>設定檔 %1：區域顏色</translation>
    </message>
    <message>
        <source>profile %1: key map</source>
        <translation>設定檔 %1：按鍵對應</translation>
    </message>
    <message>
        <source>profile %1: macro</source>
        <translation>設定檔 %1：巨集</translation>
    </message>
    <message>
        <source>end of key-map write</source>
        <translation>按鍵對應寫入結束</translation>
    </message>
    <message>
        <source>undecoded report</source>
        <translation>無法解讀的報告</translation>
    </message>
</context>
</TS>
