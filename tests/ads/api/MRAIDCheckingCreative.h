#pragma once

// An MRAID 3.0 creative that checks what an MRAID container owes it and
// reports each check on its console as "CHECK <what>" or "FAIL <what>: <why>",
// then "DONE". Like published creatives it uses `mraid` without loading
// "mraid.js" itself. As a banner it waits for the screen to turn after
// "ROTATE", and retries a refused expansion until the ad is touched after
// "TOUCH"; as an interstitial it closes itself.

namespace testing_support {

inline constexpr const char* kMRAIDCheckingCreative = R"(<!DOCTYPE html>
<html><head><title>MRAID checks</title></head>
<body style="margin:0">MRAID checks
<script>
(function () {
  var say = function (line) { console.log(line); };
  var check = function (what, ok, why) { say((ok ? 'CHECK ' : 'FAIL ') + what + (ok ? '' : ': ' + why)); };
  var sizeOf = function (box) { return box.width + 'x' + box.height; };
  // Resolves with the arguments of the next `event`, or null after `seconds`.
  var next = function (event, seconds) {
    return new Promise(function (resolve) {
      var listener = function () {
        mraid.removeEventListener(event, listener);
        resolve(Array.prototype.slice.call(arguments));
      };
      mraid.addEventListener(event, listener);
      setTimeout(function () { mraid.removeEventListener(event, listener); resolve(null); },
                 seconds * 1000);
    });
  };

  if (typeof mraid !== 'object') {
    say('FAIL mraid before the creative: ' + typeof mraid);
    say('DONE');
    return;
  }
  check('mraid before the creative', true);
  check('version 3.0', mraid.getVersion() === '3.0', mraid.getVersion());
  var env = window.MRAID_ENV;
  check('MRAID_ENV', typeof env === 'object' && env.version === '3.0' &&
        typeof env.sdk === 'string' && env.sdk !== '' && typeof env.sdkVersion === 'string' &&
        typeof env.appId === 'string' && typeof env.limitAdTracking === 'boolean' &&
        typeof env.coppa === 'boolean', JSON.stringify(env));

  var exposure = null;
  mraid.addEventListener('exposureChange', function () {
    exposure = Array.prototype.slice.call(arguments);
  });
  // Resolves with the value once `condition` gives one, or null after
  // `seconds`.
  var until = function (condition, seconds) {
    return new Promise(function (resolve) {
      var waited = 0;
      var poll = function () {
        var value = condition();
        if (value || waited >= seconds) {
          resolve(value || null);
          return;
        }
        waited += 0.1;
        setTimeout(poll, 100);
      };
      poll();
    });
  };

  var banner = async function () {
    var screen = mraid.getScreenSize();
    check('default expand size is the screen',
          sizeOf(mraid.getExpandProperties()) === sizeOf(screen),
          sizeOf(mraid.getExpandProperties()) + ' on ' + sizeOf(screen));

    // Events come on a later turn: a handler registered after the call
    // that failed still hears it, and nothing recurses.
    var heardInCall = false;
    var early = function () { heardInCall = true; };
    mraid.addEventListener('error', early);
    mraid.resize();
    mraid.removeEventListener('error', early);
    var late = next('error', 2);
    check('events come after the call', !heardInCall, 'the listener ran inside resize()');
    var error = await late;
    check('a listener added after the call hears it', error && error[1] === 'resize',
          JSON.stringify(error));

    var refusedProperties = async function (what, properties) {
      var heard = next('error', 2);
      var answer = mraid.setResizeProperties(properties);
      var got = await heard;
      check(what, answer === false && got && got[1] === 'setResizeProperties' &&
            mraid.getResizeProperties() === null, answer + ' ' + JSON.stringify(got));
    };
    await refusedProperties('resize properties beyond the maximum are refused',
        {width: screen.width + 100, height: 100, allowOffscreen: false});
    await refusedProperties('resize properties with the close area off screen are refused',
        {width: 300, height: 100, offsetX: -250, customClosePosition: 'top-left'});

    var position = sizeOf(mraid.getCurrentPosition());
    mraid.setResizeProperties({width: 300, height: 100, offsetX: 0, offsetY: 0});
    var refusal = next('error', 3);
    var resizing = next('stateChange', 1);
    mraid.resize();
    var refused = await refusal;
    var changed = await resizing;
    check('a resize the container cannot carry out is refused',
          refused && refused[1] === 'resize' && changed === null &&
          mraid.getState() === 'default' && sizeOf(mraid.getCurrentPosition()) === position,
          JSON.stringify(refused) + ' ' + JSON.stringify(changed) + ' ' + mraid.getState() +
          ' ' + sizeOf(mraid.getCurrentPosition()));

    if (!mraid.isViewable()) {
      await next('viewableChange', 10);
    }
    check('viewable by default', mraid.isViewable(), 'no viewableChange');
    var shown = await until(function () { return exposure; }, 10);
    check('exposure while shown', shown && shown[0] === 100 && shown[1] &&
          sizeOf(shown[1]) === position, JSON.stringify(shown));

    var turned = new Promise(function (resolve) {
      window.addEventListener('orientationchange', function () { resolve(window.orientation); });
      setTimeout(function () { resolve(null); }, 10000);
    });
    check('window.orientation at load', window.orientation === 0, String(window.orientation));
    say('ROTATE');
    var angle = await turned;
    check('window.orientation follows the screen', angle === 90 || angle === -90,
          String(angle));

    // Expanding: refused while the ad is untouched, then done; state
    // listeners read the new size.
    var sawRefusal = false;
    var expandedNow = false;
    var sizeInStateChange = new Promise(function (resolve) {
      mraid.addEventListener('stateChange', function listener(state) {
        mraid.removeEventListener('stateChange', listener);
        expandedNow = true;
        resolve(state + ' ' + sizeOf(mraid.getCurrentPosition()));
      });
    });
    for (var attempt = 0; attempt < 40 && !expandedNow; ++attempt) {
      var answer = next('error', 0.5);
      mraid.expand();
      var got = await answer;
      if (got && got[1] === 'expand') {
        if (!sawRefusal) {
          sawRefusal = true;
          check('a refused expansion keeps the state', mraid.getState() === 'default',
                mraid.getState());
          say('TOUCH');
        }
        continue;
      }
      await Promise.race([sizeInStateChange, new Promise(function (resolve) {
        setTimeout(resolve, 5000);
      })]);
    }
    check('an expansion was refused first', sawRefusal, 'no error event');
    var expanded = expandedNow ? await sizeInStateChange : 'never expanded';
    var full = mraid.getScreenSize();
    check('the new size is set before stateChange on expand',
          expanded === 'expanded ' + sizeOf(full), expanded + ' on ' + sizeOf(full));
    var collapsing = new Promise(function (resolve) {
      mraid.addEventListener('stateChange', function listener(state) {
        mraid.removeEventListener('stateChange', listener);
        resolve(state + ' ' + sizeOf(mraid.getCurrentPosition()));
      });
    });
    mraid.close();
    check('the new size is set before stateChange on collapse',
          (await collapsing) === 'default ' + position, 'not back to ' + position);

    var hidden = next('stateChange', 2);
    var unloaded = mraid.unload();
    var state = await hidden;
    check('unload hides the ad', unloaded === true && state && state[0] === 'hidden',
          unloaded + ' ' + JSON.stringify(state));
  };

  var interstitial = async function () {
    if (!mraid.isViewable()) {
      await next('viewableChange', 20);
    }
    check('an interstitial is viewable once shown', mraid.isViewable(), 'no viewableChange');
    var screen = mraid.getScreenSize();
    check('an interstitial is shown in the default state', mraid.getState() === 'default',
          mraid.getState());
    check('an interstitial fills the screen',
          sizeOf(mraid.getCurrentPosition()) === sizeOf(screen) &&
          sizeOf(mraid.getExpandProperties()) === sizeOf(screen),
          sizeOf(mraid.getCurrentPosition()) + ' ' + sizeOf(mraid.getExpandProperties()));
    var closing = next('stateChange', 5);
    mraid.close();
    var state = await closing;
    check('a closed interstitial is hidden', state && state[0] === 'hidden',
          JSON.stringify(state));
  };

  var run = function () {
    (mraid.getPlacementType() === 'interstitial' ? interstitial() : banner())
        .catch(function (thrown) { say('FAIL the checks threw: ' + thrown); })
        .then(function () { say('DONE'); });
  };
  if (mraid.getState() === 'loading') {
    mraid.addEventListener('ready', run);
  } else {
    run();
  }
})();
</script>
</body></html>
)";

}  // namespace testing_support
