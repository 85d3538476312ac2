// The MRAID 3.0 interface of the ad component's ad pages. An ad asks for
// "mraid.js"; the component serves this script behind a one-line prologue
// that sets window.VIRA_mraidConfig ({placementType: "inline" or
// "interstitial", expanded: true for the page of a two-part expansion}),
// and sets window.MRAID_ENV itself. The page talks to the component through
// gmsg navigations and hears it through VIRA_ReceiveMessage events. Actions
// take effect when the component confirms them ("expanding", "collapsed");
// what it refuses comes back as "onMRAIDError". Listeners are called on a
// later turn of the page's run loop, never inside the call that caused them.
(() => {
  'use strict';
  if (window.mraid) {
    return;
  }

  const config = window.VIRA_mraidConfig || {};
  const placementType = config.placementType === 'interstitial' ? 'interstitial' : 'inline';
  const EVENTS = ['ready', 'error', 'stateChange', 'viewableChange', 'sizeChange', 'exposureChange'];
  const CLOSE_POSITIONS = ['top-right', 'top-center', 'top-left', 'center', 'bottom-right',
    'bottom-center', 'bottom-left'];
  const FORCED_ORIENTATIONS = ['portrait', 'landscape', 'none'];
  const CLOSE_SIZE = 50;
  const MINIMUM_RESIZE = 50;

  const listeners = new Map(EVENTS.map((name) => [name, []]));
  let state = 'loading';
  let viewable = false;
  let landscape = false;
  let features = {sms: false, tel: false, calendar: false, storePicture: false, inlineVideo: false};
  let screenSize = {width: window.innerWidth || 0, height: window.innerHeight || 0};
  const defaultPosition = {x: 0, y: 0, width: window.innerWidth || 0, height: window.innerHeight || 0};
  let currentPosition = {...defaultPosition};
  let expandProperties = {width: screenSize.width, height: screenSize.height, useCustomClose: false,
    isModal: true};
  // Whether the ad chose its expanded size; until it does it is the screen's.
  let expandSizeChosen = false;
  let lastExposure = null;
  let resizeProperties = null;
  let orientationProperties = {allowOrientationChange: true, forceOrientation: 'none'};

  const send = (name, parameters = {}) => {
    const query = Object.entries(parameters)
        .filter(([, value]) => value !== undefined && value !== null)
        .map(([key, value]) => `${encodeURIComponent(key)}=${encodeURIComponent(String(value))}`)
        .join('&');
    window.location.href = `gmsg://mobileads.dezuvo.com/${name}${query ? `?${query}` : ''}`;
  };

  // The listeners registered when the event is delivered hear it.
  const fire = (name, ...args) => {
    setTimeout(() => {
      for (const listener of [...listeners.get(name)]) {
        try {
          listener(...args);
        } catch (thrown) {
          console.log(`mraid ${name} listener failed: ${thrown}`);
        }
      }
    }, 0);
  };

  const fail = (message, action) => {
    fire('error', message, action);
    return false;
  };

  const isNumber = (value) => typeof value === 'number' && Number.isFinite(value);
  const isObject = (value) => value !== null && typeof value === 'object';

  const setState = (next) => {
    if (state !== next) {
      state = next;
      fire('stateChange', state);
    }
  };

  const setCurrentPosition = (position) => {
    const changed = position.width !== currentPosition.width ||
        position.height !== currentPosition.height;
    currentPosition = {...position};
    if (changed) {
      fire('sizeChange', currentPosition.width, currentPosition.height);
    }
  };

  // A new state with its position: the position is in place before
  // stateChange, so state listeners read the new size.
  const moveTo = (next, position) => {
    const sized = position.width !== currentPosition.width ||
        position.height !== currentPosition.height;
    currentPosition = {...position};
    setState(next);
    if (sized) {
      fire('sizeChange', currentPosition.width, currentPosition.height);
    }
  };

  const fullScreen = () => ({x: 0, y: 0, width: screenSize.width, height: screenSize.height});

  // The orientation an expanded ad asks for: "p", "l" or none (any).
  const orientationParameter = () => {
    const forced = orientationProperties.forceOrientation;
    if (forced === 'portrait') {
      return 'p';
    }
    if (forced === 'landscape') {
      return 'l';
    }
    if (!orientationProperties.allowOrientationChange) {
      return landscape ? 'l' : 'p';
    }
    return undefined;
  };

  // Where the close area of a resized ad falls, relative to the ad.
  const closeArea = (width, height, position) => {
    const x = position.endsWith('left') ? 0 :
        position.endsWith('right') ? width - CLOSE_SIZE : (width - CLOSE_SIZE) / 2;
    const y = position.startsWith('top') ? 0 :
        position.startsWith('bottom') ? height - CLOSE_SIZE : (height - CLOSE_SIZE) / 2;
    return {x, y};
  };

  // Why resize properties cannot be carried out, or null when they can.
  const resizeRefusal = ({width, height, offsetX, offsetY, customClosePosition,
    allowOffscreen}) => {
    const position = {x: defaultPosition.x + offsetX, y: defaultPosition.y + offsetY};
    const close = closeArea(width, height, customClosePosition);
    const closeX = position.x + close.x;
    const closeY = position.y + close.y;
    const closeOnScreen = closeX >= 0 && closeY >= 0 &&
        closeX + CLOSE_SIZE <= screenSize.width && closeY + CLOSE_SIZE <= screenSize.height;
    if (!closeOnScreen) {
      return 'The close area of the resized ad would be off the screen.';
    }
    const adOnScreen = position.x >= 0 && position.y >= 0 &&
        position.x + width <= screenSize.width && position.y + height <= screenSize.height;
    if (!allowOffscreen && !adOnScreen) {
      return 'The resized ad would not fit on the screen.';
    }
    return null;
  };

  // Two digits, zero-padded.
  const pad = (number) => String(Math.trunc(Math.abs(number))).padStart(2, '0');

  // A date as "yyyy-MM-ddTHH:mm:ss+hh:mm" in the page's time zone.
  const calendarDate = (value) => {
    const date = value instanceof Date ? value : new Date(value);
    if (Number.isNaN(date.getTime())) {
      return null;
    }
    const offset = -date.getTimezoneOffset();
    const zone = `${offset < 0 ? '-' : '+'}${pad(offset / 60)}:${pad(offset % 60)}`;
    return `${date.getFullYear()}-${pad(date.getMonth() + 1)}-${pad(date.getDate())}T` +
        `${pad(date.getHours())}:${pad(date.getMinutes())}:${pad(date.getSeconds())}${zone}`;
  };

  const events = {
    onReadyEventReceived() {
      if (state !== 'loading') {
        return;
      }
      if (config.expanded) {
        moveTo('expanded', fullScreen());
      } else {
        setState('default');
      }
      fire('ready');
    },
    onAdVisibilityChanged(info) {
      const visible = info.visible === '1';
      if (visible !== viewable) {
        viewable = visible;
        fire('viewableChange', viewable);
      }
    },
    // The share of the ad on screen and the part of it that shows, in the
    // ad's own coordinates.
    onExposureChanged(info) {
      const percentage = Number(info.exposedPercentage);
      if (!Number.isFinite(percentage)) {
        return;
      }
      const rectangle = percentage > 0 ? {x: Number(info.x), y: Number(info.y),
        width: Number(info.width), height: Number(info.height)} : null;
      const exposure = JSON.stringify([percentage, rectangle]);
      if (exposure !== lastExposure) {
        lastExposure = exposure;
        fire('exposureChange', percentage, rectangle, null);
      }
    },
    onScreenInfoChanged(info) {
      if (!isNumber(info.width) || !isNumber(info.height)) {
        return;
      }
      // The component reports the screen in portrait; a landscape screen is
      // the other way round.
      landscape = info.isOrientationLandscape === '1';
      screenSize = landscape ? {width: info.height, height: info.width} :
        {width: info.width, height: info.height};
      if (!expandSizeChosen) {
        expandProperties = {...expandProperties, ...screenSize};
      }
      if (state === 'expanded' || placementType === 'interstitial') {
        setCurrentPosition(fullScreen());
      }
    },
    onDeviceFeaturesReceived(info) {
      features = {...features, ...info};
    },
    // The component shows the ad over the whole screen; an interstitial is
    // shown in its default state.
    expanding() {
      moveTo(placementType === 'interstitial' ? 'default' : 'expanded', fullScreen());
    },
    // The full-screen ad went away; a closed interstitial is hidden.
    collapsed() {
      if (placementType === 'interstitial') {
        setState('hidden');
      } else if (state === 'expanded' || state === 'resized') {
        moveTo('default', defaultPosition);
      }
    },
    onMRAIDError(info) {
      fail(String(info.message || 'The component refused the request.'), String(info.action || ''));
    },
    onCalendarEventCanceled() {
      fail('The calendar event was not created.', 'createCalendarEvent');
    },
  };

  const previousReceiver = window.VIRA_ReceiveMessage;
  window.VIRA_ReceiveMessage = (name, info) => {
    if (Object.prototype.hasOwnProperty.call(events, name)) {
      events[name](isObject(info) ? info : {});
    }
    if (typeof previousReceiver === 'function') {
      previousReceiver(name, info);
    }
  };

  const mraid = {
    getVersion: () => '3.0',
    getState: () => state,
    getPlacementType: () => placementType,
    isViewable: () => viewable,
    supports: (feature) => features[feature] === true,
    getScreenSize: () => ({...screenSize}),
    getMaxSize: () => ({...screenSize}),
    getDefaultPosition: () => ({...defaultPosition}),
    getCurrentPosition: () => ({...currentPosition}),

    addEventListener(event, listener) {
      if (!listeners.has(event) || typeof listener !== 'function') {
        return fail(`Cannot listen to ${event}.`, 'addEventListener');
      }
      listeners.get(event).push(listener);
      return true;
    },
    removeEventListener(event, listener) {
      if (!listeners.has(event)) {
        return fail(`Cannot stop listening to ${event}.`, 'removeEventListener');
      }
      const list = listeners.get(event);
      if (listener === undefined) {
        list.length = 0;
      } else if (list.includes(listener)) {
        list.splice(list.indexOf(listener), 1);
      }
      return true;
    },

    getExpandProperties: () => ({...expandProperties}),
    setExpandProperties(properties) {
      if (!isObject(properties)) {
        return fail('Expand properties must be an object.', 'setExpandProperties');
      }
      const next = {...expandProperties};
      for (const key of ['width', 'height']) {
        if (key in properties) {
          const value = properties[key];
          const limit = key === 'width' ? screenSize.width : screenSize.height;
          if (!isNumber(value) || value <= 0 || value > limit) {
            return fail(`Expand ${key} must be a number above 0 and at most ${limit}.`,
                'setExpandProperties');
          }
          next[key] = value;
          expandSizeChosen = true;
        }
      }
      if ('useCustomClose' in properties) {
        next.useCustomClose = properties.useCustomClose === true;
      }
      expandProperties = next;
      return true;
    },

    getResizeProperties: () => (resizeProperties ? {...resizeProperties} : null),
    setResizeProperties(properties) {
      if (!isObject(properties)) {
        return fail('Resize properties must be an object.', 'setResizeProperties');
      }
      const {width, height, offsetX = 0, offsetY = 0} = properties;
      if (!isNumber(width) || !isNumber(height) || width < MINIMUM_RESIZE ||
          height < MINIMUM_RESIZE) {
        return fail(`Resize width and height must be numbers of at least ${MINIMUM_RESIZE}.`,
            'setResizeProperties');
      }
      if (!isNumber(offsetX) || !isNumber(offsetY)) {
        return fail('Resize offsets must be numbers.', 'setResizeProperties');
      }
      const customClosePosition = properties.customClosePosition === undefined ?
        'top-right' : properties.customClosePosition;
      if (!CLOSE_POSITIONS.includes(customClosePosition)) {
        return fail(`Unknown close position ${customClosePosition}.`, 'setResizeProperties');
      }
      const allowOffscreen = properties.allowOffscreen === undefined ?
        true : properties.allowOffscreen === true;
      const next = {width, height, offsetX, offsetY, customClosePosition, allowOffscreen};
      const refusal = resizeRefusal(next);
      if (refusal) {
        return fail(refusal, 'setResizeProperties');
      }
      resizeProperties = next;
      return true;
    },

    getOrientationProperties: () => ({...orientationProperties}),
    setOrientationProperties(properties) {
      if (!isObject(properties)) {
        return fail('Orientation properties must be an object.', 'setOrientationProperties');
      }
      const next = {...orientationProperties};
      if ('allowOrientationChange' in properties) {
        if (typeof properties.allowOrientationChange !== 'boolean') {
          return fail('allowOrientationChange must be true or false.',
              'setOrientationProperties');
        }
        next.allowOrientationChange = properties.allowOrientationChange;
      }
      if ('forceOrientation' in properties) {
        if (!FORCED_ORIENTATIONS.includes(properties.forceOrientation)) {
          return fail(`Unknown orientation ${properties.forceOrientation}.`,
              'setOrientationProperties');
        }
        next.forceOrientation = properties.forceOrientation;
      }
      orientationProperties = next;
      return true;
    },

    useCustomClose(flag) {
      expandProperties.useCustomClose = flag === true;
      send('customClose', {custom_close: flag === true ? '1' : '0'});
    },

    expand(url) {
      if (placementType !== 'inline' || (state !== 'default' && state !== 'resized')) {
        return fail(`Cannot expand in state ${state}.`, 'expand');
      }
      if (url !== undefined && url !== null && typeof url !== 'string') {
        return fail('The expand URL must be text.', 'expand');
      }
      const parameters = {o: orientationParameter(),
        custom_close: expandProperties.useCustomClose ? '1' : '0'};
      if (url) {
        send('open', {a: 'webapp', u: url, ...parameters});
      } else {
        send('open', {a: 'expand', ...parameters});
      }
      return true;
    },

    resize() {
      if (placementType !== 'inline' || (state !== 'default' && state !== 'resized')) {
        return fail(`Cannot resize in state ${state}.`, 'resize');
      }
      if (!resizeProperties) {
        return fail('Set the resize properties first.', 'resize');
      }
      const refusal = resizeRefusal(resizeProperties);
      if (refusal) {
        return fail(refusal, 'resize');
      }
      const {width, height, offsetX, offsetY, customClosePosition, allowOffscreen} =
          resizeProperties;
      // The component answers: the state changes only with a resized view.
      send('mraid', {a: 'resize', width, height, offsetX, offsetY, customClosePosition,
        allowOffscreen: allowOffscreen ? '1' : '0'});
      return true;
    },

    close() {
      if (state === 'loading' || state === 'hidden') {
        return fail(`Cannot close in state ${state}.`, 'close');
      }
      send('close');
      if (placementType === 'inline' && (state === 'expanded' || state === 'resized')) {
        events.collapsed();
      } else {
        setState('hidden');
      }
      return true;
    },

    // The ad gives up: the component closes it as it closes on close().
    unload() {
      if (state === 'hidden') {
        return fail('The ad is already gone.', 'unload');
      }
      send('close');
      setState('hidden');
      return true;
    },

    open(url) {
      if (typeof url !== 'string' || url === '') {
        return fail('open needs a URL.', 'open');
      }
      send('open', {a: /^https?:/i.test(url) ? 'browser' : 'app', u: url});
      return true;
    },

    storePicture(url) {
      if (!features.storePicture) {
        return fail('Pictures cannot be stored.', 'storePicture');
      }
      if (typeof url !== 'string' || url === '') {
        return fail('storePicture needs a URL.', 'storePicture');
      }
      send('mraid', {a: 'storePicture', iurl: url});
      return true;
    },

    createCalendarEvent(parameters) {
      if (!isObject(parameters)) {
        return fail('The calendar event must be an object.', 'createCalendarEvent');
      }
      const start = calendarDate(parameters.start);
      if (!start) {
        return fail('The calendar event needs a start date.', 'createCalendarEvent');
      }
      const end = parameters.end === undefined ? start : calendarDate(parameters.end);
      if (!end) {
        return fail('The calendar event has a wrong end date.', 'createCalendarEvent');
      }
      const text = (value) => (value === undefined || value === null ? '' : String(value));
      send('mraid', {a: 'createCalendarEvent', start, end,
        summary: text(parameters.summary || parameters.description),
        description: text(parameters.description), location: text(parameters.location)});
      return true;
    },
  };

  window.mraid = mraid;
})();
