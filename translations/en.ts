<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>ConsoleTray</name>
    <message>
        <source>Quit</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Show window</source>
        <translation>Show window</translation>
    </message>
</context>
<context>
    <name>KeyboardLink</name>
    <message>
        <source>Keyboard connected</source>
        <translation>Keyboard connected</translation>
    </message>
    <message>
        <source>No keyboard connected</source>
        <translation>No keyboard connected</translation>
    </message>
    <message>
        <source>Virtual keyboard</source>
        <translation>Virtual keyboard</translation>
    </message>
</context>
<context>
    <name>LumoProject</name>
    <message>
        <source>APPLY</source>
        <translation>APPLY</translation>
    </message>
    <message>
        <source>ASSIGN</source>
        <translation>ASSIGN</translation>
    </message>
    <message>
        <source>Waiting for a key: press it now</source>
        <translation>Waiting for a key: press it now</translation>
    </message>
    <message>
        <source>ASSIGN MACRO</source>
        <translation>ASSIGN MACRO</translation>
    </message>
    <message>
        <source>CURRENT</source>
        <translation>CURRENT</translation>
    </message>
    <message>
        <source>CUSTOMIZE</source>
        <translation>CUSTOMIZE</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Customer Service</source>
        <translation>Customer Support</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>INSTANT SHIFT SYS.</source>
        <translation>INSTANT SHIFT SYS.</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>KEY ASSIGNMENT</source>
        <translation>KEY ASSIGNMENT</translation>
    </message>
    <message>
        <source>KEYBOARD</source>
        <translation>KEYBOARD</translation>
    </message>
    <message>
        <source>LIGHTING</source>
        <translation>LIGHTING</translation>
    </message>
    <message>
        <source>MACRO RESET</source>
        <translation>MACRO RESET</translation>
    </message>
    <message>
        <source>MACROS</source>
        <translation>MACROS</translation>
    </message>
    <message>
        <source>Macro Key</source>
        <translation>Macro Key</translation>
    </message>
    <message>
        <source>Multiple Times</source>
        <translation>Multiple Times</translation>
    </message>
    <message>
        <source>New</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Once</source>
        <translation>Once</translation>
    </message>
    <message>
        <source>PROFILE 1</source>
        <translation>PROFILE 1</translation>
    </message>
    <message>
        <source>PROFILE 2</source>
        <translation>PROFILE 2</translation>
    </message>
    <message>
        <source>PROFILE 3</source>
        <translation>PROFILE 3</translation>
    </message>
    <message>
        <source>PROFILE 4</source>
        <translation>PROFILE 4</translation>
    </message>
    <message>
        <source>PROFILE 5</source>
        <translation>PROFILE 5</translation>
    </message>
    <message>
        <source>PROFILE NAME</source>
        <translation>PROFILE NAME</translation>
    </message>
    <message>
        <source>Product Information</source>
        <translation>Product Information</translation>
    </message>
    <message>
        <source>REPATE OPTION</source>
        <translation>REPEAT OPTION</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>SELECT PROFILE</source>
        <translation>SELECT PROFILE</translation>
    </message>
    <message>
        <source>SHORTCUT</source>
        <translation>SHORTCUT</translation>
    </message>
    <message>
        <source>SINGLE RESET</source>
        <translation>SINGLE RESET</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Single Key</source>
        <translation>Single Key</translation>
    </message>
    <message>
        <source>Until Pressed Next Time</source>
        <translation>Until Pressed Next Time</translation>
    </message>
    <message>
        <source>When Perss &amp; Hold</source>
        <translation>When Perss &amp; Hold</translation>
    </message>
    <message>
        <source>Sent to %1</source>
        <translation>Sent to %1</translation>
    </message>
    <message>
        <source>the keyboard</source>
        <translation>the keyboard</translation>
    </message>
    <message>
        <source>Saved; the keyboard is not connected</source>
        <translation>Saved; the keyboard is not connected</translation>
    </message>
    <message>
        <source>Not sent to %1: the keyboard did not respond. Your settings are saved.</source>
        <translation>Not sent to %1: the keyboard did not respond. Your settings are saved.</translation>
    </message>
    <message>
        <source>USE THE KEYBOARD</source>
        <translation>USE THE KEYBOARD</translation>
    </message>
    <message>
        <source>Not saved: %1 (%2). It keeps its earlier content.</source>
        <translation>Not saved: %1 (%2). It keeps its earlier content.</translation>
    </message>
    <message>
        <source>%1 of your changes did not reach the keyboard in time. They are saved and sent to the keyboard when the console starts next.</source>
        <translation>%1 of your changes did not reach the keyboard in time. They are saved and sent to the keyboard when the console starts next.</translation>
    </message>
    <message>
        <source>profile %1</source>
        <translation>profile %1</translation>
    </message>
    <message>
        <source>The factory reset could not save %1 (%2). These keep their earlier settings, on the keyboard too.</source>
        <translation>The factory reset could not save %1 (%2). These keep their earlier settings, on the keyboard too.</translation>
    </message>
    <message>
        <source>PROFILE %1</source>
        <translation>PROFILE %1</translation>
    </message>
    <message>
        <source>Updating the keyboard: %1 of %2</source>
        <translation>Updating the keyboard: %1 of %2</translation>
    </message>
    <message>
        <source>The keyboard is up to date</source>
        <translation>The keyboard is up to date</translation>
    </message>
    <message>
        <source>The keyboard went away during its update: %1 profiles follow when it is back</source>
        <translation>The keyboard went away during its update: %1 profiles follow when it is back</translation>
    </message>
    <message>
        <source>%1 has no complete stored lighting: the keyboard keeps its lighting</source>
        <translation>%1 has no complete stored lighting: the keyboard keeps its lighting</translation>
    </message>
    <message>
        <source>%1 was made without %2: only folders and regular files are copied</source>
        <translation>%1 was made without %2: only folders and regular files are copied</translation>
    </message>
    <message>
        <source>Not read, defaults used instead: %1 (only regular files of a usual size are read)</source>
        <translation>Not read, defaults used instead: %1 (only regular files of a usual size are read)</translation>
    </message>
    <message>
        <source>No room for another profile: at most %1 are kept</source>
        <translation>No room for another profile: at most %1 are kept</translation>
    </message>
    <message>
        <source>%1 is a built-in profile and cannot be deleted</source>
        <translation>%1 is a built-in profile and cannot be deleted</translation>
    </message>
    <message>
        <source>Could not delete %1: a file in it could not be removed</source>
        <translation>Could not delete %1: a file in it could not be removed</translation>
    </message>
    <message>
        <source>No more copies of %1: every copy name is taken</source>
        <translation>No more copies of %1: every copy name is taken</translation>
    </message>
    <message>
        <source>A profile name cannot be empty</source>
        <translation>A profile name cannot be empty</translation>
    </message>
    <message>
        <source>A profile name cannot contain * | \ : " &lt; &gt; ? / or ..</source>
        <translation>A profile name cannot contain * | \ : " &lt; &gt; ? / or ..</translation>
    </message>
    <message>
        <source>A profile name cannot begin or end with a space</source>
        <translation>A profile name cannot begin or end with a space</translation>
    </message>
    <message>
        <source>A macro named %1 already exists</source>
        <translation>A macro named %1 already exists</translation>
    </message>
    <message>
        <source>A profile named %1 already exists</source>
        <translation>A profile named %1 already exists</translation>
    </message>
    <message>
        <source>%1 is the name of a built-in profile</source>
        <translation>%1 is the name of a built-in profile</translation>
    </message>
    <message>
        <source>%1 is a built-in profile and cannot be renamed</source>
        <translation>%1 is a built-in profile and cannot be renamed</translation>
    </message>
    <message>
        <source>Could not rename %1 to %2; it keeps its name</source>
        <translation>Could not rename %1 to %2; it keeps its name</translation>
    </message>
    <message>
        <source>Profile names are at most %1 characters: renamed to %2</source>
        <translation>Profile names are at most %1 characters: renamed to %2</translation>
    </message>
    <message>
        <source>%1 is not a profile export: nothing was imported</source>
        <translation>%1 is not a profile export: nothing was imported</translation>
    </message>
    <message>
        <source>%1 does not give a usable profile name: nothing was imported</source>
        <translation>%1 does not give a usable profile name: nothing was imported</translation>
    </message>
    <message>
        <source>%1 cannot be renamed to "%2": the name is empty, taken or not allowed</source>
        <translation>%1 cannot be renamed to "%2": the name is empty, taken or not allowed</translation>
    </message>
    <message>
        <source>No room for another macro: every number is taken</source>
        <translation>No room for another macro: every number is taken</translation>
    </message>
    <message>
        <source>No room for another macro: at most %1 are kept</source>
        <translation>No room for another macro: at most %1 are kept</translation>
    </message>
    <message>
        <source>Could not delete %1; it stays in the list</source>
        <translation>Could not delete %1; it stays in the list</translation>
    </message>
    <message>
        <source>Could not export %1 to %2</source>
        <translation>Could not export %1 to %2</translation>
    </message>
    <message>
        <source>No web browser could be started: the page is %1</source>
        <translation>No web browser could be started: the page is %1</translation>
    </message>
    <message>
        <source>The update installer was started</source>
        <translation>The update installer was started</translation>
    </message>
    <message>
        <source>No update installer on this platform: checking for a newer version</source>
        <translation>No update installer on this platform: checking for a newer version</translation>
    </message>
    <message>
        <source>This console is up to date (version %1)</source>
        <translation>This console is up to date (version %1)</translation>
    </message>
    <message>
        <source>Version %1 is available at %2</source>
        <translation>Version %1 is available at %2</translation>
    </message>
    <message>
        <source>The update check failed: %1</source>
        <translation>The update check failed: %1</translation>
    </message>
    <message>
        <source>the update service gave no version</source>
        <translation>the update service gave no version</translation>
    </message>
    <message>
        <source>UNDO</source>
        <translation>UNDO</translation>
    </message>
    <message>
        <source>Undo factory reset</source>
        <translation>Undo factory reset</translation>
    </message>
    <message>
        <source>Undo delete %1</source>
        <translation>Undo delete %1</translation>
    </message>
    <message>
        <source>Nothing was changed: the files could not be kept for Undo (%1)</source>
        <translation>Nothing was changed: the files could not be kept for Undo (%1)</translation>
    </message>
    <message>
        <source>Factory settings restored. UNDO brings yours back</source>
        <translation>Factory settings restored. UNDO brings yours back</translation>
    </message>
    <message>
        <source>%1 deleted. UNDO brings it back</source>
        <translation>%1 deleted. UNDO brings it back</translation>
    </message>
    <message>
        <source>Nothing to undo</source>
        <translation>Nothing to undo</translation>
    </message>
    <message>
        <source>Undo failed: %1 (%2)</source>
        <translation>Undo failed: %1 (%2)</translation>
    </message>
    <message>
        <source>Undone: %1</source>
        <translation>Undone: %1</translation>
    </message>
    <message>
        <source>factory reset</source>
        <translation>factory reset</translation>
    </message>
    <message>
        <source>TRY THE VIRTUAL KEYBOARD</source>
        <translation>TRY THE VIRTUAL KEYBOARD</translation>
    </message>
    <message>
        <source>The console keeps running here. Quit it from this icon's menu or with the Close button of its window.</source>
        <translation>The console keeps running here. Quit it from this icon's menu or with the Close button of its window.</translation>
    </message>
    <message>
        <source>LOAD</source>
        <translation>LOAD</translation>
    </message>
    <message>
        <source>PROFILE %1: %2</source>
        <translation>PROFILE %1: %2</translation>
    </message>
    <message>
        <source>red %1, green %2, blue %3</source>
        <translation>red %1, green %2, blue %3</translation>
    </message>
    <message>
        <source>Switches the keyboard to on-board profile %1 (%2)</source>
        <translation>Switches the keyboard to on-board profile %1 (%2)</translation>
    </message>
    <message>
        <source>Factory reset</source>
        <translation>Factory reset</translation>
    </message>
    <message>
        <source>Restores the factory settings of all five on-board profiles</source>
        <translation>Restores the factory settings of all five on-board profiles</translation>
    </message>
    <message>
        <source>Opens the web page in your browser</source>
        <translation>Opens the web page in your browser</translation>
    </message>
    <message>
        <source>Ends the console</source>
        <translation>Ends the console</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Choosing a saved profile links it to the active on-board profile</source>
        <translation>Choosing a saved profile links it to the active on-board profile</translation>
    </message>
    <message>
        <source>New profile</source>
        <translation>New profile</translation>
    </message>
    <message>
        <source>Delete the selected profile</source>
        <translation>Delete the selected profile</translation>
    </message>
    <message>
        <source>Copy the selected profile</source>
        <translation>Copy the selected profile</translation>
    </message>
    <message>
        <source>Import a profile from a file</source>
        <translation>Import a profile from a file</translation>
    </message>
    <message>
        <source>Export the selected profile to a file</source>
        <translation>Export the selected profile to a file</translation>
    </message>
    <message>
        <source>Type a new name and press Enter to rename the profile</source>
        <translation>Type a new name and press Enter to rename the profile</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>What the selected key does</source>
        <translation>What the selected key does</translation>
    </message>
    <message>
        <source>Repeat option</source>
        <translation>Repeat option</translation>
    </message>
    <message>
        <source>Repeat count</source>
        <translation>Repeat count</translation>
    </message>
    <message>
        <source>1 to 50 times</source>
        <translation>1 to 50 times</translation>
    </message>
    <message>
        <source>Press Enter, then the key the selected key should send; Escape cancels</source>
        <translation>Press Enter, then the key the selected key should send; Escape cancels</translation>
    </message>
    <message>
        <source>Instant shift target profile</source>
        <translation>Instant shift target profile</translation>
    </message>
    <message>
        <source>Left Shift</source>
        <translation>Left Shift</translation>
    </message>
    <message>
        <source>Left Ctrl</source>
        <translation>Left Ctrl</translation>
    </message>
    <message>
        <source>Left Alt</source>
        <translation>Left Alt</translation>
    </message>
    <message>
        <source>While held, %1 switches to the chosen profile</source>
        <translation>While held, %1 switches to the chosen profile</translation>
    </message>
    <message>
        <source>Stores the assignment and sends it to the keyboard</source>
        <translation>Stores the assignment and sends it to the keyboard</translation>
    </message>
    <message>
        <source>Keyboard picture</source>
        <translation>Keyboard picture</translation>
    </message>
    <message>
        <source>Arrow keys move over the keys; Space selects the key</source>
        <translation>Arrow keys move over the keys; Space selects the key</translation>
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
        <translation>ADD</translation>
    </message>
    <message>
        <source>ADD STOP</source>
        <translation>ADD STOP</translation>
    </message>
    <message>
        <source>APPLY</source>
        <translation>APPLY</translation>
    </message>
    <message>
        <source>Arrow Flow</source>
        <translation>Arrow Flow</translation>
    </message>
    <message>
        <source>COLOR CODE :</source>
        <translation>COLOR CODE :</translation>
    </message>
    <message>
        <source>CUSTOMIZED</source>
        <translation>CUSTOMIZED</translation>
    </message>
    <message>
        <source>DEL</source>
        <translation>DEL</translation>
    </message>
    <message>
        <source>DEL STOP</source>
        <translation>DEL STOP</translation>
    </message>
    <message>
        <source>EFFECT</source>
        <translation>EFFECT</translation>
    </message>
    <message>
        <source>EFFECT ROLLING</source>
        <translation>EFFECT ROLLING</translation>
    </message>
    <message>
        <source>FAST</source>
        <translation>FAST</translation>
    </message>
    <message>
        <source>FLOW DIRECTION</source>
        <translation>FLOW DIRECTION</translation>
    </message>
    <message>
        <source>FULL</source>
        <translation>FULL</translation>
    </message>
    <message>
        <source>LED RESET</source>
        <translation>LED RESET</translation>
    </message>
    <message>
        <source>LEFT</source>
        <translation>LEFT</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>NO</translation>
    </message>
    <message>
        <source>PATTERN</source>
        <translation>PATTERN</translation>
    </message>
    <message>
        <source>PULSE</source>
        <translation>PULSE</translation>
    </message>
    <message>
        <source>RIGHT</source>
        <translation>RIGHT</translation>
    </message>
    <message>
        <source>Reactive</source>
        <translation>Reactive</translation>
    </message>
    <message>
        <source>Ripple</source>
        <translation>Ripple</translation>
    </message>
    <message>
        <source>SLOW</source>
        <translation>SLOW</translation>
    </message>
    <message>
        <source>SPECTRUM CYCLING</source>
        <translation>SPECTRUM CYCLING</translation>
    </message>
    <message>
        <source>SPEED</source>
        <translation>SPEED</translation>
    </message>
    <message>
        <source>STATIC</source>
        <translation>STATIC</translation>
    </message>
    <message>
        <source>STOPS CONTROL</source>
        <translation>STOPS CONTROL</translation>
    </message>
    <message>
        <source>SURFACE</source>
        <translation>SURFACE</translation>
    </message>
    <message>
        <source>Static</source>
        <translation>Static</translation>
    </message>
    <message>
        <source>Wave</source>
        <translation>Wave</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>YES</translation>
    </message>
    <message>
        <source>ZONES</source>
        <translation>ZONES</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>From slow to fast</source>
        <translation>From slow to fast</translation>
    </message>
    <message>
        <source>Wave speed</source>
        <translation>Wave speed</translation>
    </message>
    <message>
        <source>Add pattern</source>
        <translation>Add pattern</translation>
    </message>
    <message>
        <source>Delete pattern</source>
        <translation>Delete pattern</translation>
    </message>
    <message>
        <source>Lights every other key in the surface colour</source>
        <translation>Lights every other key in the surface colour</translation>
    </message>
    <message>
        <source>Surface colour</source>
        <translation>Surface colour</translation>
    </message>
    <message>
        <source>Chosen, it takes the next colour picked</source>
        <translation>Chosen, it takes the next colour picked</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>0 to 255; Enter picks the colour</source>
        <translation>0 to 255; Enter picks the colour</translation>
    </message>
    <message>
        <source>Colour code</source>
        <translation>Colour code</translation>
    </message>
    <message>
        <source>Six hexadecimal digits; Enter picks the colour</source>
        <translation>Six hexadecimal digits; Enter picks the colour</translation>
    </message>
    <message>
        <source>Sends the lighting to the keyboard</source>
        <translation>Sends the lighting to the keyboard</translation>
    </message>
    <message>
        <source>Arrow keys move over the keys, Shift+arrows mark keys; Space paints them with CUSTOMIZED on</source>
        <translation>Arrow keys move over the keys, Shift+arrows mark keys; Space paints them with CUSTOMIZED on</translation>
    </message>
    <message>
        <source>Left and Right choose a stop; the colour fields then set it</source>
        <translation>Left and Right choose a stop; the colour fields then set it</translation>
    </message>
    <message>
        <source>stop %1</source>
        <translation>stop %1</translation>
    </message>
</context>
<context>
    <name>micro_view</name>
    <message>
        <source>   Key</source>
        <translation>   Key</translation>
    </message>
    <message>
        <source>AFTER</source>
        <translation>AFTER</translation>
    </message>
    <message>
        <source>BEFORE</source>
        <translation>BEFORE</translation>
    </message>
    <message>
        <source>COPY</source>
        <translation>COPY</translation>
    </message>
    <message>
        <source>DEFAULT DELAY TIME</source>
        <translation>DEFAULT DELAY TIME</translation>
    </message>
    <message>
        <source>DELAY TIME AUTO-DETCTING</source>
        <translation>DELAY TIME AUTO-DETCTING</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>DELETE</translation>
    </message>
    <message>
        <source>Delay Time</source>
        <translation>Delay Time</translation>
    </message>
    <message>
        <source>EDIT</source>
        <translation>EDIT</translation>
    </message>
    <message>
        <source>EXPORT</source>
        <translation>EXPORT</translation>
    </message>
    <message>
        <source>IMPORT</source>
        <translation>IMPORT</translation>
    </message>
    <message>
        <source>INSERT</source>
        <translation>INSERT</translation>
    </message>
    <message>
        <source>MACRO NAME</source>
        <translation>MACRO NAME</translation>
    </message>
    <message>
        <source>MS</source>
        <translation>MS</translation>
    </message>
    <message>
        <source>NEW</source>
        <translation>NEW</translation>
    </message>
    <message>
        <source>NO DELAY TIME</source>
        <translation>NO DELAY TIME</translation>
    </message>
    <message>
        <source>RECORD</source>
        <translation>RECORD</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SELECT MACRO</source>
        <translation>SELECT MACRO</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>STOP</translation>
    </message>
    <message>
        <source>Up / Down</source>
        <translation>Up / Down</translation>
    </message>
    <message>
        <source>Enter renames the macro</source>
        <translation>Enter renames the macro</translation>
    </message>
    <message>
        <source>Deletes the selected macro</source>
        <translation>Deletes the selected macro</translation>
    </message>
    <message>
        <source>Deletes the selected event</source>
        <translation>Deletes the selected event</translation>
    </message>
    <message>
        <source>Macro events</source>
        <translation>Macro events</translation>
    </message>
    <message>
        <source>Default delay time in ms</source>
        <translation>Default delay time in ms</translation>
    </message>
</context>
<context>
    <name>setting_view</name>
    <message>
        <source>CHECK FOR UPDATES</source>
        <translation>CHECK FOR UPDATES</translation>
    </message>
    <message>
        <source>LANGUAGE</source>
        <translation>LANGUAGE</translation>
    </message>
    <message>
        <source>OFFICIAL WEBSITE / SOCIAL MEDIA</source>
        <translation>OFFICIAL WEBSITE / SOCIAL MEDIA</translation>
    </message>
    <message>
        <source>SOFTWARE VERSION : </source>
        <translation>SOFTWARE VERSION : </translation>
    </message>
    <message>
        <source>VIRTUAL KEYBOARD</source>
        <translation>VIRTUAL KEYBOARD</translation>
    </message>
    <message>
        <source>Official website</source>
        <translation>Official website</translation>
    </message>
    <message>
        <source>Community</source>
        <translation>Community</translation>
    </message>
    <message>
        <source>Opens the web page in your browser</source>
        <translation>Opens the web page in your browser</translation>
    </message>
    <message>
        <source>The window switches at once</source>
        <translation>The window switches at once</translation>
    </message>
</context>
<context>
    <name>VirtualKeyboard</name>
    <message>
        <source>The console sends to the virtual keyboard instead of the USB keyboard</source>
        <translation>The console sends to the virtual keyboard instead of the USB keyboard</translation>
    </message>
    <message>
        <source>Virtual keyboard picture</source>
        <translation>Virtual keyboard picture</translation>
    </message>
    <message>
        <source>Reports received</source>
        <translation>Reports received</translation>
    </message>
    <message>
        <source>%1 down</source>
        <translation>%1 down</translation>
    </message>
    <message>
        <source>%1 reports could not be decoded; the latest: %2</source>
        <translation>%1 reports could not be decoded; the latest: %2</translation>
    </message>
    <message>
        <source>%1 times</source>
        <translation>%1 times</translation>
    </message>
    <message>
        <source>%1 up</source>
        <translation>%1 up</translation>
    </message>
    <message>
        <source>Arrow Flow, %1, rolling %2</source>
        <translation>Arrow Flow, %1, rolling %2</translation>
    </message>
    <message>
        <source>Cannot keep the virtual keyboard's memory: %1</source>
        <translation>Cannot keep the virtual keyboard's memory: %1</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Disabled</translation>
    </message>
    <message>
        <source>Macro</source>
        <translation>Macro</translation>
    </message>
    <message>
        <source>Macro key without a macro</source>
        <translation>Macro key without a macro</translation>
    </message>
    <message>
        <source>Macro, %1</source>
        <translation>Macro, %1</translation>
    </message>
    <message>
        <source>No lighting received</source>
        <translation>No lighting received</translation>
    </message>
    <message>
        <source>ON-BOARD PROFILE %1</source>
        <translation>ON-BOARD PROFILE %1</translation>
    </message>
    <message>
        <source>ORVANTA RGB virtual keyboard</source>
        <translation>ORVANTA RGB virtual keyboard</translation>
    </message>
    <message>
        <source>Once</source>
        <translation>Once</translation>
    </message>
    <message>
        <source>Profile %1 shift</source>
        <translation>Profile %1 shift</translation>
    </message>
    <message>
        <source>Reactive</source>
        <translation>Reactive</translation>
    </message>
    <message>
        <source>Repeat %1 %2</source>
        <translation>Repeat %1 %2</translation>
    </message>
    <message>
        <source>Ripple, rolling %1</source>
        <translation>Ripple, rolling %1</translation>
    </message>
    <message>
        <source>Sends %1</source>
        <translation>Sends %1</translation>
    </message>
    <message>
        <source>Static</source>
        <translation>Static</translation>
    </message>
    <message>
        <source>Static, pulse (speed %1)</source>
        <translation>Static, pulse (speed %1)</translation>
    </message>
    <message>
        <source>Static, spectrum cycling</source>
        <translation>Static, spectrum cycling</translation>
    </message>
    <message>
        <source>The console is using the USB keyboard.</source>
        <translation>The console is using the USB keyboard.</translation>
    </message>
    <message>
        <source>USE VIRTUAL KEYBOARD</source>
        <translation>USE VIRTUAL KEYBOARD</translation>
    </message>
    <message>
        <source>Until pressed again</source>
        <translation>Until pressed again</translation>
    </message>
    <message>
        <source>Wave, %1, speed %2</source>
        <translation>Wave, %1, speed %2</translation>
    </message>
    <message>
        <source>While held</source>
        <translation>While held</translation>
    </message>
    <message>
        <source>both ways</source>
        <translation>both ways</translation>
    </message>
    <message>
        <source>left</source>
        <translation>left</translation>
    </message>
    <message>
        <source>off</source>
        <translation>off</translation>
    </message>
    <message>
        <source>on</source>
        <translation>on</translation>
    </message>
    <message>
        <source>right</source>
        <translation>right</translation>
    </message>
    <message>
        <source>wait %1 ms</source>
        <translation>wait %1 ms</translation>
    </message>
    <message>
        <source>profile %1: selected</source>
        <translation>profile %1: selected</translation>
    </message>
    <message>
        <source>profile %1: lighting applied</source>
        <translation>profile %1: lighting applied</translation>
    </message>
    <message>
        <source>profile %1: lighting mode</source>
        <translation>profile %1: lighting mode</translation>
    </message>
    <message>
        <source>light pulse %1</source>
        <translation>light pulse %1</translation>
    </message>
    <message>
        <source>profile %1: factory defaults</source>
        <translation>profile %1: factory defaults</translation>
    </message>
    <message>
        <source>profile %1: Static key colours</source>
        <translation>profile %1: Static key colours</translation>
    </message>
    <message>
        <source>profile %1: Reactive key colours</source>
        <translation>profile %1: Reactive key colours</translation>
    </message>
    <message>
        <source>profile %1: Ripple edge colours</source>
        <translation>profile %1: Ripple edge colours</translation>
    </message>
    <message>
        <source>profile %1: surface colour</source>
        <translation>profile %1: surface colour</translation>
    </message>
    <message>
        <source>profile %1: zone colours</source>
        <translation>profile %1: zone colours</translation>
    </message>
    <message>
        <source>profile %1: key map</source>
        <translation>profile %1: key map</translation>
    </message>
    <message>
        <source>profile %1: macro</source>
        <translation>profile %1: macro</translation>
    </message>
    <message>
        <source>end of key-map write</source>
        <translation>end of key-map write</translation>
    </message>
    <message>
        <source>undecoded report</source>
        <translation>undecoded report</translation>
    </message>
</context>
</TS>
