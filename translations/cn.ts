<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ConsoleTray</name>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Show window</source>
        <translation>显示窗口</translation>
    </message>
</context>
<context>
    <name>KeyboardLink</name>
    <message>
        <source>Keyboard connected</source>
        <translation>键盘已连接</translation>
    </message>
    <message>
        <source>No keyboard connected</source>
        <translation>未连接键盘</translation>
    </message>
    <message>
        <source>Virtual keyboard</source>
        <translation>虚拟键盘</translation>
    </message>
</context>
<context>
    <name>LumoProject</name>
    <message>
        <source>APPLY</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>ASSIGN</source>
        <translation>指定</translation>
    </message>
    <message>
        <source>Waiting for a key: press it now</source>
        <translation>等待按键：请按下要指定的键</translation>
    </message>
    <message>
        <source>ASSIGN MACRO</source>
        <translation>指定巨集</translation>
    </message>
    <message>
        <source>CURRENT</source>
        <translation>当前设定</translation>
    </message>
    <message>
        <source>CUSTOMIZE</source>
        <translation>单键设定</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Customer Service</source>
        <translation>客户服务</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>INSTANT SHIFT SYS.</source>
        <translation>闪移系统</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>KEY ASSIGNMENT</source>
        <translation>按键指定</translation>
    </message>
    <message>
        <source>KEYBOARD</source>
        <translation>键盘</translation>
    </message>
    <message>
        <source>LIGHTING</source>
        <translation>背光设定</translation>
    </message>
    <message>
        <source>MACRO RESET</source>
        <translation>巨集重置</translation>
    </message>
    <message>
        <source>MACROS</source>
        <translation>巨集设定</translation>
    </message>
    <message>
        <source>Macro Key</source>
        <translation>巨集按键</translation>
    </message>
    <message>
        <source>Multiple Times</source>
        <translation>多次</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>Once</source>
        <translation>一次</translation>
    </message>
    <message>
        <source>PROFILE 1</source>
        <translation>配置文件 1</translation>
    </message>
    <message>
        <source>PROFILE 2</source>
        <translation>配置文件 2</translation>
    </message>
    <message>
        <source>PROFILE 3</source>
        <translation>配置文件 3</translation>
    </message>
    <message>
        <source>PROFILE 4</source>
        <translation>配置文件 4</translation>
    </message>
    <message>
        <source>PROFILE 5</source>
        <translation>配置文件 5</translation>
    </message>
    <message>
        <source>PROFILE NAME</source>
        <translation>配置文件名称</translation>
    </message>
    <message>
        <source>Product Information</source>
        <translation>产品信息</translation>
    </message>
    <message>
        <source>REPATE OPTION</source>
        <translation>选择模式</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SELECT PROFILE</source>
        <translation>选择配置文件</translation>
    </message>
    <message>
        <source>SHORTCUT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SINGLE RESET</source>
        <translation>单键重置</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Single Key</source>
        <translation>单一按键</translation>
    </message>
    <message>
        <source>Until Pressed Next Time</source>
        <translation>直到下一次按下停止</translation>
    </message>
    <message>
        <source>When Perss &amp; Hold</source>
        <translation>直到放开后停止</translation>
    </message>
    <message>
        <source>Sent to %1</source>
        <translation>已发送至 %1</translation>
    </message>
    <message>
        <source>the keyboard</source>
        <translation>键盘</translation>
    </message>
    <message>
        <source>Saved; the keyboard is not connected</source>
        <translation>已保存；键盘未连接</translation>
    </message>
    <message>
        <source>Not sent to %1: the keyboard did not respond. Your settings are saved.</source>
        <translation>未能发送至 %1：键盘没有响应。您的设置已保存。</translation>
    </message>
    <message>
        <source>USE THE KEYBOARD</source>
        <translation>使用实体键盘</translation>
    </message>
    <message>
        <source>Not saved: %1 (%2). It keeps its earlier content.</source>
        <translation>未保存：%1（%2）。文件保留先前的内容。</translation>
    </message>
    <message>
        <source>%1 of your changes did not reach the keyboard in time. They are saved and sent to the keyboard when the console starts next.</source>
        <translation>有 %1 项更改未能及时发送到键盘。这些更改已保存，将在控制台下次启动时发送到键盘。</translation>
    </message>
    <message>
        <source>profile %1</source>
        <translation>配置文件 %1</translation>
    </message>
    <message>
        <source>The factory reset could not save %1 (%2). These keep their earlier settings, on the keyboard too.</source>
        <translation>恢复出厂设置无法保存 %1（%2）。这些项目保留先前的设置，键盘上也是如此。</translation>
    </message>
    <message>
        <source>PROFILE %1</source>
        <translation>配置文件 %1</translation>
    </message>
    <message>
        <source>Updating the keyboard: %1 of %2</source>
        <translation>正在更新键盘：第 %1 个，共 %2 个</translation>
    </message>
    <message>
        <source>The keyboard is up to date</source>
        <translation>键盘已是最新状态</translation>
    </message>
    <message>
        <source>The keyboard went away during its update: %1 profiles follow when it is back</source>
        <translation>键盘在更新时断开连接：重新连接后将发送其余 %1 个配置文件</translation>
    </message>
    <message>
        <source>%1 has no complete stored lighting: the keyboard keeps its lighting</source>
        <translation>%1 没有完整的已保存灯效：键盘保留当前的灯效</translation>
    </message>
    <message>
        <source>%1 was made without %2: only folders and regular files are copied</source>
        <translation>已创建 %1，但未包含 %2：只会复制文件夹和普通文件</translation>
    </message>
    <message>
        <source>Not read, defaults used instead: %1 (only regular files of a usual size are read)</source>
        <translation>未读取，改用默认值：%1（只读取大小正常的普通文件）</translation>
    </message>
    <message>
        <source>No room for another profile: at most %1 are kept</source>
        <translation>无法再新增配置文件：最多保留 %1 个</translation>
    </message>
    <message>
        <source>%1 is a built-in profile and cannot be deleted</source>
        <translation>%1 是内置配置文件，不能删除</translation>
    </message>
    <message>
        <source>Could not delete %1: a file in it could not be removed</source>
        <translation>无法删除 %1：其中的文件无法移除</translation>
    </message>
    <message>
        <source>No more copies of %1: every copy name is taken</source>
        <translation>无法再复制 %1：所有副本名称都已使用</translation>
    </message>
    <message>
        <source>A profile name cannot be empty</source>
        <translation>配置文件名称不能为空</translation>
    </message>
    <message>
        <source>A profile name cannot contain * | \ : " &lt; &gt; ? / or ..</source>
        <translation>配置文件名称不能包含 * | \ : " &lt; &gt; ? / 或 ..</translation>
    </message>
    <message>
        <source>A profile name cannot begin or end with a space</source>
        <translation>配置文件名称的开头或结尾不能是空格</translation>
    </message>
    <message>
        <source>A macro named %1 already exists</source>
        <translation>已有名为 %1 的宏</translation>
    </message>
    <message>
        <source>A profile named %1 already exists</source>
        <translation>已有名为 %1 的配置文件</translation>
    </message>
    <message>
        <source>%1 is the name of a built-in profile</source>
        <translation>%1 是内置配置文件的名称</translation>
    </message>
    <message>
        <source>%1 is a built-in profile and cannot be renamed</source>
        <translation>%1 是内置配置文件，不能重命名</translation>
    </message>
    <message>
        <source>Could not rename %1 to %2; it keeps its name</source>
        <translation>无法将 %1 重命名为 %2；保留原名称</translation>
    </message>
    <message>
        <source>Profile names are at most %1 characters: renamed to %2</source>
        <translation>配置文件名称最多 %1 个字符：已重命名为 %2</translation>
    </message>
    <message>
        <source>%1 is not a profile export: nothing was imported</source>
        <translation>%1 不是导出的配置文件：未导入任何内容</translation>
    </message>
    <message>
        <source>%1 does not give a usable profile name: nothing was imported</source>
        <translation>%1 无法作为配置文件名称：未导入任何内容</translation>
    </message>
    <message>
        <source>%1 cannot be renamed to "%2": the name is empty, taken or not allowed</source>
        <translation>%1 无法重命名为“%2”：名称为空、已使用或不允许</translation>
    </message>
    <message>
        <source>No room for another macro: every number is taken</source>
        <translation>无法再新增宏：所有编号都已使用</translation>
    </message>
    <message>
        <source>No room for another macro: at most %1 are kept</source>
        <translation>无法再新增宏：最多保留 %1 个</translation>
    </message>
    <message>
        <source>Could not delete %1; it stays in the list</source>
        <translation>无法删除 %1；它仍在列表中</translation>
    </message>
    <message>
        <source>Could not export %1 to %2</source>
        <translation>无法将 %1 导出到 %2</translation>
    </message>
    <message>
        <source>No web browser could be started: the page is %1</source>
        <translation>无法启动网页浏览器：网址是 %1</translation>
    </message>
    <message>
        <source>The update installer was started</source>
        <translation>已启动更新安装程序</translation>
    </message>
    <message>
        <source>No update installer on this platform: checking for a newer version</source>
        <translation>此平台没有更新安装程序：正在检查新版本</translation>
    </message>
    <message>
        <source>This console is up to date (version %1)</source>
        <translation>此软件已是最新版本（版本 %1）</translation>
    </message>
    <message>
        <source>Version %1 is available at %2</source>
        <translation>版本 %1 可在 %2 获取</translation>
    </message>
    <message>
        <source>The update check failed: %1</source>
        <translation>检查更新失败：%1</translation>
    </message>
    <message>
        <source>the update service gave no version</source>
        <translation>更新服务未提供版本</translation>
    </message>
    <message>
        <source>UNDO</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Undo factory reset</source>
        <translation>撤销恢复出厂设置</translation>
    </message>
    <message>
        <source>Undo delete %1</source>
        <translation>撤销删除 %1</translation>
    </message>
    <message>
        <source>Nothing was changed: the files could not be kept for Undo (%1)</source>
        <translation>未做任何更改：无法保留供撤销的文件（%1）</translation>
    </message>
    <message>
        <source>Factory settings restored. UNDO brings yours back</source>
        <translation>已恢复出厂设置。按“撤销”可取回您的设置</translation>
    </message>
    <message>
        <source>%1 deleted. UNDO brings it back</source>
        <translation>已删除 %1。按“撤销”可取回</translation>
    </message>
    <message>
        <source>Nothing to undo</source>
        <translation>没有可撤销的操作</translation>
    </message>
    <message>
        <source>Undo failed: %1 (%2)</source>
        <translation>撤销失败：%1（%2）</translation>
    </message>
    <message>
        <source>Undone: %1</source>
        <translation>已撤销：%1</translation>
    </message>
    <message>
        <source>factory reset</source>
        <translation>恢复出厂设置</translation>
    </message>
    <message>
        <source>TRY THE VIRTUAL KEYBOARD</source>
        <translation>试用虚拟键盘</translation>
    </message>
    <message>
        <source>The console keeps running here. Quit it from this icon's menu or with the Close button of its window.</source>
        <translation>控制台仍在此运行。请从此图标的菜单或窗口的关闭按钮退出它。</translation>
    </message>
    <message>
        <source>LOAD</source>
        <translation>载入</translation>
    </message>
    <message>
        <source>PROFILE %1: %2</source>
        <translation>PROFILE %1：%2</translation>
    </message>
    <message>
        <source>red %1, green %2, blue %3</source>
        <translation>红 %1、绿 %2、蓝 %3</translation>
    </message>
    <message>
        <source>Switches the keyboard to on-board profile %1 (%2)</source>
        <translation>将键盘切换到板载配置文件 %1（%2）</translation>
    </message>
    <message>
        <source>Factory reset</source>
        <translation>恢复出厂设置</translation>
    </message>
    <message>
        <source>Restores the factory settings of all five on-board profiles</source>
        <translation>将五个板载配置文件全部恢复为出厂设置</translation>
    </message>
    <message>
        <source>Opens the web page in your browser</source>
        <translation>在浏览器中打开网页</translation>
    </message>
    <message>
        <source>Ends the console</source>
        <translation>退出控制程序</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Choosing a saved profile links it to the active on-board profile</source>
        <translation>选择的配置文件会链接到当前的板载配置文件</translation>
    </message>
    <message>
        <source>New profile</source>
        <translation>新建配置文件</translation>
    </message>
    <message>
        <source>Delete the selected profile</source>
        <translation>删除所选的配置文件</translation>
    </message>
    <message>
        <source>Copy the selected profile</source>
        <translation>复制所选的配置文件</translation>
    </message>
    <message>
        <source>Import a profile from a file</source>
        <translation>从文件导入配置文件</translation>
    </message>
    <message>
        <source>Export the selected profile to a file</source>
        <translation>将所选的配置文件导出为文件</translation>
    </message>
    <message>
        <source>Type a new name and press Enter to rename the profile</source>
        <translation>输入新名称后按 Enter 即可重命名配置文件</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>链接</translation>
    </message>
    <message>
        <source>What the selected key does</source>
        <translation>所选按键的功能</translation>
    </message>
    <message>
        <source>Repeat option</source>
        <translation>重复选项</translation>
    </message>
    <message>
        <source>Repeat count</source>
        <translation>重复次数</translation>
    </message>
    <message>
        <source>1 to 50 times</source>
        <translation>1 至 50 次</translation>
    </message>
    <message>
        <source>Press Enter, then the key the selected key should send; Escape cancels</source>
        <translation>按 Enter，再按下所选按键要发送的按键；按 Escape 取消</translation>
    </message>
    <message>
        <source>Instant shift target profile</source>
        <translation>即时切换的目标配置文件</translation>
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
        <translation>按住 %1 时切换到所选的配置文件</translation>
    </message>
    <message>
        <source>Stores the assignment and sends it to the keyboard</source>
        <translation>保存指定并发送到键盘</translation>
    </message>
    <message>
        <source>Keyboard picture</source>
        <translation>键盘图</translation>
    </message>
    <message>
        <source>Arrow keys move over the keys; Space selects the key</source>
        <translation>方向键在按键间移动；空格键选择按键</translation>
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
        <translation>添加</translation>
    </message>
    <message>
        <source>ADD STOP</source>
        <translation>添加色标</translation>
    </message>
    <message>
        <source>APPLY</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Arrow Flow</source>
        <translation>极光</translation>
    </message>
    <message>
        <source>COLOR CODE :</source>
        <translation>色码 :</translation>
    </message>
    <message>
        <source>CUSTOMIZED</source>
        <translation>自定义</translation>
    </message>
    <message>
        <source>DEL</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>DEL STOP</source>
        <translation>删除色标</translation>
    </message>
    <message>
        <source>EFFECT</source>
        <translation>灯效</translation>
    </message>
    <message>
        <source>EFFECT ROLLING</source>
        <translation>灯效流动</translation>
    </message>
    <message>
        <source>FAST</source>
        <translation>快</translation>
    </message>
    <message>
        <source>FLOW DIRECTION</source>
        <translation>流动方向</translation>
    </message>
    <message>
        <source>FULL</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>LED RESET</source>
        <translation>灯光重置</translation>
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
        <translation>单点亮</translation>
    </message>
    <message>
        <source>Ripple</source>
        <translation>涟漪</translation>
    </message>
    <message>
        <source>SLOW</source>
        <translation>慢</translation>
    </message>
    <message>
        <source>SPECTRUM CYCLING</source>
        <translation>光谱循环</translation>
    </message>
    <message>
        <source>SPEED</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>STATIC</source>
        <translation>恒亮</translation>
    </message>
    <message>
        <source>STOPS CONTROL</source>
        <translation>色标控制</translation>
    </message>
    <message>
        <source>SURFACE</source>
        <translation>底色</translation>
    </message>
    <message>
        <source>Static</source>
        <translation>恒亮</translation>
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
        <translation>区域</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>开启</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>关闭</translation>
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
        <translation>新建样式</translation>
    </message>
    <message>
        <source>Delete pattern</source>
        <translation>删除样式</translation>
    </message>
    <message>
        <source>Lights every other key in the surface colour</source>
        <translation>其余按键以底色点亮</translation>
    </message>
    <message>
        <source>Surface colour</source>
        <translation>底色颜色</translation>
    </message>
    <message>
        <source>Chosen, it takes the next colour picked</source>
        <translation>选取后应用下一个选取的颜色</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝</translation>
    </message>
    <message>
        <source>0 to 255; Enter picks the colour</source>
        <translation>0 至 255；按 Enter 选取颜色</translation>
    </message>
    <message>
        <source>Colour code</source>
        <translation>色码</translation>
    </message>
    <message>
        <source>Six hexadecimal digits; Enter picks the colour</source>
        <translation>六位十六进制数字；按 Enter 选取颜色</translation>
    </message>
    <message>
        <source>Sends the lighting to the keyboard</source>
        <translation>将灯光效果发送到键盘</translation>
    </message>
    <message>
        <source>Arrow keys move over the keys, Shift+arrows mark keys; Space paints them with CUSTOMIZED on</source>
        <translation>方向键在按键间移动，Shift+方向键标记按键；开启自定义时以空格键上色</translation>
    </message>
    <message>
        <source>Left and Right choose a stop; the colour fields then set it</source>
        <translation>左右方向键选择色彩节点，再以色彩栏位设定其颜色</translation>
    </message>
    <message>
        <source>stop %1</source>
        <translation>节点 %1</translation>
    </message>
</context>
<context>
    <name>micro_view</name>
    <message>
        <source>   Key</source>
        <translation>   按键</translation>
    </message>
    <message>
        <source>AFTER</source>
        <translation>之后</translation>
    </message>
    <message>
        <source>BEFORE</source>
        <translation>之前</translation>
    </message>
    <message>
        <source>COPY</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>DEFAULT DELAY TIME</source>
        <translation>默认延迟时间</translation>
    </message>
    <message>
        <source>DELAY TIME AUTO-DETCTING</source>
        <translation>自动侦测延迟时间</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Delay Time</source>
        <translation>延迟时间</translation>
    </message>
    <message>
        <source>EDIT</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>EXPORT</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>IMPORT</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>INSERT</source>
        <translation>插入</translation>
    </message>
    <message>
        <source>MACRO NAME</source>
        <translation>巨集名称</translation>
    </message>
    <message>
        <source>MS</source>
        <translation>毫秒</translation>
    </message>
    <message>
        <source>NEW</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>NO DELAY TIME</source>
        <translation>无延迟时间</translation>
    </message>
    <message>
        <source>RECORD</source>
        <translation>录制</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SELECT MACRO</source>
        <translation>选择巨集</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Up / Down</source>
        <translation>按下 / 放开</translation>
    </message>
    <message>
        <source>Enter renames the macro</source>
        <translation>按 Enter 重命名巨集</translation>
    </message>
    <message>
        <source>Deletes the selected macro</source>
        <translation>删除所选的巨集</translation>
    </message>
    <message>
        <source>Deletes the selected event</source>
        <translation>删除所选的事件</translation>
    </message>
    <message>
        <source>Macro events</source>
        <translation>巨集事件</translation>
    </message>
    <message>
        <source>Default delay time in ms</source>
        <translation>默认延迟时间（毫秒）</translation>
    </message>
</context>
<context>
    <name>setting_view</name>
    <message>
        <source>CHECK FOR UPDATES</source>
        <translation>检查更新</translation>
    </message>
    <message>
        <source>LANGUAGE</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>OFFICIAL WEBSITE / SOCIAL MEDIA</source>
        <translation>官方网站 / 社交媒体</translation>
    </message>
    <message>
        <source>SOFTWARE VERSION : </source>
        <translation>软体版本</translation>
    </message>
    <message>
        <source>VIRTUAL KEYBOARD</source>
        <translation>虚拟键盘</translation>
    </message>
    <message>
        <source>Official website</source>
        <translation>官方网站</translation>
    </message>
    <message>
        <source>Community</source>
        <translation>社区</translation>
    </message>
    <message>
        <source>Opens the web page in your browser</source>
        <translation>在浏览器中打开网页</translation>
    </message>
    <message>
        <source>The window switches at once</source>
        <translation>窗口会立即切换</translation>
    </message>
</context>
<context>
    <name>VirtualKeyboard</name>
    <message>
        <source>The console sends to the virtual keyboard instead of the USB keyboard</source>
        <translation>控制台改为发送到虚拟键盘，而不是 USB 键盘</translation>
    </message>
    <message>
        <source>Virtual keyboard picture</source>
        <translation>虚拟键盘图</translation>
    </message>
    <message>
        <source>Reports received</source>
        <translation>收到的报告</translation>
    </message>
    <message>
        <source>%1 down</source>
        <translation>%1 按下</translation>
    </message>
    <message>
        <source>%1 reports could not be decoded; the latest: %2</source>
        <translation>%1 个报告无法解读；最新一个：%2</translation>
    </message>
    <message>
        <source>%1 times</source>
        <translation>%1 次</translation>
    </message>
    <message>
        <source>%1 up</source>
        <translation>%1 放开</translation>
    </message>
    <message>
        <source>Arrow Flow, %1, rolling %2</source>
        <translation>极光，%1，灯效流动 %2</translation>
    </message>
    <message>
        <source>Cannot keep the virtual keyboard's memory: %1</source>
        <translation>无法保存虚拟键盘的记忆：%1</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认</translation>
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
        <translation>巨集按键（没有巨集）</translation>
    </message>
    <message>
        <source>Macro, %1</source>
        <translation>巨集，%1</translation>
    </message>
    <message>
        <source>No lighting received</source>
        <translation>尚未收到灯效</translation>
    </message>
    <message>
        <source>ON-BOARD PROFILE %1</source>
        <translation>板载配置文件 %1</translation>
    </message>
    <message>
        <source>ORVANTA RGB virtual keyboard</source>
        <translation>ORVANTA RGB 虚拟键盘</translation>
    </message>
    <message>
        <source>Once</source>
        <translation>一次</translation>
    </message>
    <message>
        <source>Profile %1 shift</source>
        <translation>切换到配置文件 %1</translation>
    </message>
    <message>
        <source>Reactive</source>
        <translation>单点亮</translation>
    </message>
    <message>
        <source>Repeat %1 %2</source>
        <translation>重复 %1 %2</translation>
    </message>
    <message>
        <source>Ripple, rolling %1</source>
        <translation>涟漪，灯效流动 %1</translation>
    </message>
    <message>
        <source>Sends %1</source>
        <translation>发送 %1</translation>
    </message>
    <message>
        <source>Static</source>
        <translation>恒亮</translation>
    </message>
    <message>
        <source>Static, pulse (speed %1)</source>
        <translation>恒亮，呼吸（速度 %1）</translation>
    </message>
    <message>
        <source>Static, spectrum cycling</source>
        <translation>恒亮，光谱循环</translation>
    </message>
    <message>
        <source>The console is using the USB keyboard.</source>
        <translation>控制台正在使用 USB 键盘。</translation>
    </message>
    <message>
        <source>USE VIRTUAL KEYBOARD</source>
        <translation>使用虚拟键盘</translation>
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
        <translation>按住时</translation>
    </message>
    <message>
        <source>both ways</source>
        <translation>双向</translation>
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
        <translation>配置文件 %1：已选用</translation>
    </message>
    <message>
        <source>profile %1: lighting applied</source>
        <translation>配置文件 %1：灯效已应用</translation>
    </message>
    <message>
        <source>profile %1: lighting mode</source>
        <translation>配置文件 %1：灯效模式</translation>
    </message>
    <message>
        <source>light pulse %1</source>
        <translation>灯光脉冲 %1</translation>
    </message>
    <message>
        <source>profile %1: factory defaults</source>
        <translation>配置文件 %1：出厂设置</translation>
    </message>
    <message>
        <source>profile %1: Static key colours</source>
        <translation>配置文件 %1：恒亮按键颜色</translation>
    </message>
    <message>
        <source>profile %1: Reactive key colours</source>
        <translation>配置文件 %1：单点亮按键颜色</translation>
    </message>
    <message>
        <source>profile %1: Ripple edge colours</source>
        <translation>配置文件 %1：涟漪边缘颜色</translation>
    </message>
    <message>
        <source>profile %1: surface colour</source>
        <translation>配置文件 %1：底色</translation>
    </message>
    <message>
        <source>profile %1: zone colours</source>
        <translation>配置文件 %1：区域颜色</translation>
    </message>
    <message>
        <source>profile %1: key map</source>
        <translation>配置文件 %1：按键对应</translation>
    </message>
    <message>
        <source>profile %1: macro</source>
        <translation>配置文件 %1：巨集</translation>
    </message>
    <message>
        <source>end of key-map write</source>
        <translation>按键对应写入结束</translation>
    </message>
    <message>
        <source>undecoded report</source>
        <translation>无法解读的报告</translation>
    </message>
</context>
</TS>
